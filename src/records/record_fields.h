#pragma once

#include "tablestore/record_table.h"
#include "tablestore/table_image.h"

#include <vector>

// The ten fields every record file holds: eight texts of up to 1000 bytes (First ...
// Eighth), a Boolean (Ninth) and a picture (Tenth).
namespace quarbel {

inline constexpr int kRecordTextSize = 1000;

std::vector<FieldDescription> RecordFileFields();

// The empty record table, as the record template "Data Base/Data Base.QCD" holds it.
TableImage EmptyRecordTable();

} // namespace quarbel
