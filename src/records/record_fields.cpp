#include "records/record_fields.h"

namespace quarbel {

std::vector<FieldDescription> RecordFileFields() {
  std::vector<FieldDescription> fields;
  for (const char* name :
       {"First", "Second", "Third", "Fourth", "Fifth", "Sixth", "Seventh", "Eighth"})
    fields.push_back({name, FieldType::String, kRecordTextSize});
  fields.push_back({"Ninth", FieldType::Boolean, 0});
  fields.push_back({"Tenth", FieldType::Graphic, 0});
  return fields;
}

TableImage EmptyRecordTable() {
  TableImage image;
  for (const FieldDescription& description : RecordFileFields())
    image.fields.push_back(FieldDefinitionOf(description));
  return image;
}

} // namespace quarbel
