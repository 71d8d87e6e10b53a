#pragma once

#include "tablestore/table_image.h"

#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// A table object: one table held whole in memory, loaded from and written back to its file.
// Every failure throws Error with the object's name in front ("RecordTable1: ...").
namespace quarbel {

enum class LoadMode { Clear, File, Clone, Stream };
enum class TableState { Inactive, Browse, Insert, Edit };

// A field the program declares on a table: bound to the file's field of the same name
// when the table opens.
struct FieldDescription {
  std::string name;
  FieldType type = FieldType::String;
  int size = 0; // text fields: the most bytes a value keeps
};

// The definition a declared field gets in a table built from scratch: texts above 35
// bytes become String fields of their size, shorter ones SmallStr; prefix "XXX".
TableField FieldDefinitionOf(const FieldDescription& description);

// The largest table file a table opens. Record files are a few hundred kilobytes at most,
// pictures included; anything near this size is not one of them.
inline constexpr std::uintmax_t kMaxTableFileSize = std::uintmax_t{64} << 20;

class TRecordTable;

// A declared field: reads and writes the value of the table's current record.
class TRecordField {
public:
  const std::string& FieldName() const { return description_.name; }
  FieldType DataType() const { return description_.type; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

  std::string AsString() const;
  void SetAsString(std::string_view text);
  bool AsBoolean() const;
  void SetAsBoolean(bool value);

  // Replaces the blob with the whole stream, read from its beginning.
  void LoadFromStream(std::istream& source);
  // Appends the blob's bytes to the stream; nothing when the value is absent.
  void SaveToStream(std::ostream& target) const;

private:
  friend class TRecordTable;
  TRecordField(TRecordTable& table, FieldDescription description)
      : table_(table), description_(std::move(description)) {}

  const std::string* Value() const;
  std::string& WritableValue() const;

  TRecordTable& table_;
  FieldDescription description_;
  bool readOnly_ = false;
  int index_ = -1;    // the file's field this one is bound to while the table is open
  int sizeLimit_ = 0; // text fields: the declared size, or the file's when smaller
};

class TRecordTable {
public:
  // `name` is the object's name used in messages; `fields` are its declared fields.
  TRecordTable(std::string name, std::vector<FieldDescription> fields);
  ~TRecordTable();
  TRecordTable(const TRecordTable&) = delete;
  TRecordTable& operator=(const TRecordTable&) = delete;

  const std::string& Name() const { return name_; }

  // The table file (a Windows-1251 path). A different name closes the table and sets the
  // load mode to File, or to Clear for an empty name.
  void SetTableName(std::string_view path);
  const std::string& TableName() const { return tableName_; }
  LoadMode GetLoadMode() const { return loadMode_; }
  void SetLoadMode(LoadMode mode) { loadMode_ = mode; }
  // Open refuses a file bigger than this, before reading it.
  std::uintmax_t MaxFileSize() const { return maxFileSize_; }
  void SetMaxFileSize(std::uintmax_t bytes) { maxFileSize_ = bytes; }

  void Open();
  void Close();
  bool Active() const { return state_ != TableState::Inactive; }
  TableState State() const { return state_; }

  void Insert();
  void Edit();
  void Cancel();
  void Post();
  // Writes the table to its file when it has pending changes and comes from a file;
  // an insert or edit in progress is posted first.
  void SaveToFile();

  TRecordField& FieldByName(std::string_view name);

  int RecordCount() const;
  int PendingChanges() const { return pendingChanges_; }

  // Runs after every successful post.
  std::function<void(TRecordTable&)> AfterPost;

private:
  friend class TRecordField;

  [[noreturn]] void Fail(const std::string& message) const;
  [[noreturn]] void FailTooLarge(std::uintmax_t size) const;
  void RequireActive() const;
  void BindFields();

  std::string name_;
  std::vector<std::unique_ptr<TRecordField>> fields_;
  std::string tableName_;
  LoadMode loadMode_ = LoadMode::Clear;
  std::uintmax_t maxFileSize_ = kMaxTableFileSize;
  TableState state_ = TableState::Inactive;
  TableImage image_;
  TableRecord buffer_; // the record being inserted or edited
  int current_ = -1;   // index of the current record in image_.records, -1 for none
  int pendingChanges_ = 0;
};

} // namespace quarbel
