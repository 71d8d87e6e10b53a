#include "tablestore/record_table.h"

#include "text/cp1251.h"
#include "text/error.h"
#include "text/file_bytes.h"
#include "text/paths.h"
#include "text/text_case.h"

#include <cstring>
#include <filesystem>
#include <iterator>
#include <sstream>

namespace quarbel {
namespace {

const char* const kNotEditing = "Table is not in edit or insert mode";
const char* const kClosed = "Cannot perform this operation on a closed dataset";

bool SameName(std::string_view a, std::string_view b) {
  return LowerCaseText(a) == LowerCaseText(b);
}

std::int64_t LittleEndian(std::string_view bytes) {
  std::uint64_t v = 0;
  for (size_t i = bytes.size(); i-- > 0;)
    v = (v << 8) | static_cast<unsigned char>(bytes[i]);
  // Sign-extend from the value's own width.
  const unsigned bits = static_cast<unsigned>(bytes.size() * 8);
  if (bits > 0 && bits < 64 && (v >> (bits - 1)) & 1)
    v |= ~std::uint64_t{0} << bits;
  return static_cast<std::int64_t>(v);
}

} // namespace

TableField FieldDefinitionOf(const FieldDescription& description) {
  TableField field;
  field.name = description.name;
  field.type = description.type;
  field.size = description.size;
  if (KindOf(description.type) == FieldKind::Text)
    field.type = description.size > 35 ? FieldType::String : FieldType::SmallStr;
  field.letter = LetterOfFieldType(field.type, field.size);
  return field;
}

// ---- TRecordField ----------------------------------------------------------------------

const std::string* TRecordField::Value() const {
  const TRecordTable& t = table_;
  if (!t.Active())
    t.Fail(kClosed);
  if (t.state_ == TableState::Insert || t.state_ == TableState::Edit)
    return &t.buffer_.values[static_cast<size_t>(index_)];
  if (t.current_ < 0)
    return nullptr;
  return &t.image_.records[static_cast<size_t>(t.current_)].values[static_cast<size_t>(index_)];
}

std::string& TRecordField::WritableValue() const {
  TRecordTable& t = table_;
  if (!t.Active())
    t.Fail(kClosed);
  if (t.state_ != TableState::Insert && t.state_ != TableState::Edit)
    t.Fail(kNotEditing);
  if (readOnly_)
    t.Fail("Field '" + FieldName() + "' is read only!");
  return t.buffer_.values[static_cast<size_t>(index_)];
}

std::string TRecordField::AsString() const {
  const std::string* value = Value();
  if (!value || value->empty())
    return {};
  const TableField& field = table_.image_.fields[static_cast<size_t>(index_)];
  switch (KindOf(field.type)) {
  case FieldKind::Text:
  case FieldKind::Blob: return *value;
  case FieldKind::Boolean: return AsBoolean() ? "True" : "False";
  case FieldKind::Integer: return std::to_string(LittleEndian(*value));
  default: {
    double number = 0;
    std::memcpy(&number, value->data(), std::min(value->size(), sizeof number));
    std::ostringstream out;
    out << number;
    return out.str();
  }
  }
}

void TRecordField::SetAsString(std::string_view text) {
  std::string& value = WritableValue();
  const TableField& field = table_.image_.fields[static_cast<size_t>(index_)];
  const FieldKind kind = KindOf(field.type);
  if (kind == FieldKind::Blob) {
    value = std::string(text);
    return;
  }
  if (kind != FieldKind::Text)
    table_.Fail("Field '" + FieldName() + "' cannot be set from text");
  text = text.substr(0, std::min(text.find('\0'), text.size()));
  if (text.size() > static_cast<size_t>(sizeLimit_))
    text = text.substr(0, static_cast<size_t>(sizeLimit_));
  value = std::string(text);
}

bool TRecordField::AsBoolean() const {
  const std::string* value = Value();
  return value && value->find_first_not_of('\0') != std::string::npos;
}

void TRecordField::SetAsBoolean(bool on) {
  std::string& value = WritableValue();
  if (table_.image_.fields[static_cast<size_t>(index_)].type != FieldType::Boolean)
    table_.Fail("Field '" + FieldName() + "' is not a Boolean field");
  value = on ? std::string("\x01\x00", 2) : std::string(2, '\0');
}

void TRecordField::LoadFromStream(std::istream& source) {
  std::string& value = WritableValue();
  source.clear();
  source.seekg(0);
  value.assign(std::istreambuf_iterator<char>(source), {});
}

void TRecordField::SaveToStream(std::ostream& target) const {
  if (const std::string* value = Value())
    target.write(value->data(), static_cast<std::streamsize>(value->size()));
}

// ---- TRecordTable ----------------------------------------------------------------------

TRecordTable::TRecordTable(std::string name, std::vector<FieldDescription> fields)
    : name_(std::move(name)) {
  for (FieldDescription& description : fields)
    fields_.push_back(
        std::unique_ptr<TRecordField>(new TRecordField(*this, std::move(description))));
}

TRecordTable::~TRecordTable() = default;

void TRecordTable::Fail(const std::string& message) const {
  throw Error(name_ + ": " + message);
}

void TRecordTable::FailTooLarge(std::uintmax_t size) const {
  const std::string limit = maxFileSize_ > 0 && maxFileSize_ % (1u << 20) == 0
                                ? std::to_string(maxFileSize_ >> 20) + Cp1251FromUtf8(" МБ")
                                : std::to_string(maxFileSize_) + Cp1251FromUtf8(" Б");
  Fail(Cp1251FromUtf8("Файл \"") + tableName_ + Cp1251FromUtf8("\" завеликий (") +
       std::to_string(size) + Cp1251FromUtf8(" Б): таблиця записів читає файли до ") + limit);
}

void TRecordTable::RequireActive() const {
  if (!Active())
    Fail(kClosed);
}

void TRecordTable::SetTableName(std::string_view path) {
  if (path == tableName_)
    return;
  Close();
  tableName_ = std::string(path);
  loadMode_ = tableName_.empty() ? LoadMode::Clear : LoadMode::File;
}

void TRecordTable::Open() {
  if (Active())
    return;
  TableImage image;
  if (loadMode_ == LoadMode::File) {
    const std::filesystem::path path = FsPath(tableName_);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
      Fail("Error opening file " + tableName_);
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > maxFileSize_)
      FailTooLarge(size);
    const std::string bytes = ReadFileBytes(path);
    if (bytes.size() > maxFileSize_) // grown since
      FailTooLarge(bytes.size());
    try {
      image = ParseTableImage(bytes);
    } catch (const TableFormatError& e) {
      Fail(std::string("Error opening table: ") + e.what());
    }
  } else if (loadMode_ == LoadMode::Clear) {
    if (fields_.empty())
      Fail("Error creating table (no field descriptions)");
    for (const auto& field : fields_)
      image.fields.push_back(FieldDefinitionOf(field->description_));
  } else {
    Fail("This load mode is not supported");
  }
  image_ = std::move(image);
  try {
    BindFields();
  } catch (...) {
    image_ = TableImage{};
    throw;
  }
  state_ = TableState::Browse;
  current_ = image_.records.empty() ? -1 : 0;
  pendingChanges_ = 0;
}

void TRecordTable::BindFields() {
  for (const auto& field : fields_) {
    const FieldDescription& declared = field->description_;
    int found = -1;
    for (size_t i = 0; i < image_.fields.size() && found < 0; ++i) {
      if (SameName(image_.fields[i].name, declared.name))
        found = static_cast<int>(i);
    }
    if (found < 0)
      Fail("Field '" + declared.name + "' not found");
    const TableField& actual = image_.fields[static_cast<size_t>(found)];
    if (KindOf(actual.type) != KindOf(declared.type))
      Fail("Type mismatch for field '" + declared.name +
           "', expecting: " + std::string(FieldTypeName(declared.type)) +
           " actual: " + std::string(FieldTypeName(actual.type)));
    field->index_ = found;
    field->sizeLimit_ = declared.size;
    if (KindOf(actual.type) == FieldKind::Text)
      field->sizeLimit_ = std::max(0, std::min(declared.size, actual.size));
  }
}

void TRecordTable::Close() {
  state_ = TableState::Inactive;
  image_ = TableImage{};
  buffer_ = TableRecord{};
  current_ = -1;
  pendingChanges_ = 0;
  for (const auto& field : fields_)
    field->index_ = -1;
}

void TRecordTable::Insert() {
  RequireActive();
  if (state_ != TableState::Browse)
    Post();
  buffer_ = TableRecord{};
  buffer_.status = RecordStatus::Inserted;
  for (const TableField& field : image_.fields) {
    const FieldKind kind = KindOf(field.type);
    const bool textual = kind == FieldKind::Text || kind == FieldKind::Blob;
    buffer_.values.push_back(textual ? field.defaultText : std::string());
  }
  state_ = TableState::Insert;
  ++pendingChanges_;
}

void TRecordTable::Edit() {
  RequireActive();
  if (state_ != TableState::Browse)
    return;
  if (current_ < 0)
    Fail("Cannot edit an empty table");
  buffer_ = image_.records[static_cast<size_t>(current_)];
  state_ = TableState::Edit;
  ++pendingChanges_;
}

void TRecordTable::Cancel() {
  if (state_ != TableState::Insert && state_ != TableState::Edit)
    return;
  buffer_ = TableRecord{};
  state_ = TableState::Browse;
  --pendingChanges_;
}

void TRecordTable::Post() {
  RequireActive();
  if (state_ == TableState::Insert) {
    image_.records.push_back(std::move(buffer_));
    current_ = static_cast<int>(image_.records.size()) - 1;
  } else if (state_ == TableState::Edit) {
    TableRecord& record = image_.records[static_cast<size_t>(current_)];
    if (record.status == RecordStatus::Unchanged)
      buffer_.status = RecordStatus::Changed;
    record = std::move(buffer_);
  } else {
    Fail(kNotEditing);
  }
  buffer_ = TableRecord{};
  state_ = TableState::Browse;
  if (AfterPost)
    AfterPost(*this);
}

void TRecordTable::SaveToFile() {
  RequireActive();
  if (state_ == TableState::Insert || state_ == TableState::Edit)
    Post();
  if (pendingChanges_ <= 0 || loadMode_ != LoadMode::File)
    return;
  ReplaceFileBytes(FsPath(tableName_), FormatTableImage(image_));
  pendingChanges_ = 0;
}

TRecordField& TRecordTable::FieldByName(std::string_view name) {
  for (const auto& field : fields_) {
    if (SameName(field->FieldName(), name))
      return *field;
  }
  Fail("Field '" + std::string(name) + "' not found");
}

int TRecordTable::RecordCount() const {
  return static_cast<int>(image_.records.size());
}

} // namespace quarbel
