#include "tablestore/field_type.h"

namespace quarbel {

FieldType FieldTypeOfLetter(unsigned char letter, int& smallStrLength) {
  switch (letter) {
  case 'l': return FieldType::SmallInt;
  case 'i': return FieldType::Integer;
  case 'e': return FieldType::Int64;
  case 'b': return FieldType::Boolean;
  case 'f': return FieldType::Double;
  case 'c': return FieldType::Currency;
  case 'd': return FieldType::Date;
  case 'v': return FieldType::Time;
  case 't': return FieldType::DateTime;
  case 'a': return FieldType::AutoInc;
  case 's': return FieldType::String;
  case 'o': return FieldType::Blob;
  case 'm': return FieldType::Memo;
  case 'r': return FieldType::FmtMemo;
  case 'g': return FieldType::Graphic;
  default: break;
  }
  smallStrLength = letter <= '9' ? letter - '0' : letter - 'A' + 10;
  return FieldType::SmallStr;
}

unsigned char LetterOfFieldType(FieldType type, int size) {
  switch (type) {
  case FieldType::SmallInt: return 'l';
  case FieldType::Integer: return 'i';
  case FieldType::Int64: return 'e';
  case FieldType::Boolean: return 'b';
  case FieldType::Double: return 'f';
  case FieldType::Currency: return 'c';
  case FieldType::Date: return 'd';
  case FieldType::Time: return 'v';
  case FieldType::DateTime: return 't';
  case FieldType::AutoInc: return 'a';
  case FieldType::String: return 's';
  case FieldType::Blob: return 'o';
  case FieldType::Memo: return 'm';
  case FieldType::FmtMemo: return 'r';
  case FieldType::Graphic: return 'g';
  case FieldType::SmallStr: break;
  }
  return static_cast<unsigned char>(size <= 9 ? '0' + size : 'A' + size - 10);
}

std::string_view FieldTypeName(FieldType type) {
  switch (type) {
  case FieldType::SmallInt: return "SmallInt";
  case FieldType::Integer: return "Integer";
  case FieldType::Int64: return "Int64";
  case FieldType::Boolean: return "Boolean";
  case FieldType::Double: return "Double";
  case FieldType::Currency: return "Currency";
  case FieldType::Date: return "Date";
  case FieldType::Time: return "Time";
  case FieldType::DateTime: return "DateTime";
  case FieldType::AutoInc: return "AutoInc";
  case FieldType::SmallStr: return "SmallStr";
  case FieldType::String: return "String";
  case FieldType::Blob: return "BLOB";
  case FieldType::Memo: return "Memo";
  case FieldType::FmtMemo: return "FmtMemo";
  case FieldType::Graphic: return "Graphic";
  }
  return "";
}

FieldKind KindOf(FieldType type) {
  switch (type) {
  case FieldType::SmallStr:
  case FieldType::String: return FieldKind::Text;
  case FieldType::Boolean: return FieldKind::Boolean;
  case FieldType::SmallInt:
  case FieldType::Integer:
  case FieldType::Int64:
  case FieldType::AutoInc: return FieldKind::Integer;
  case FieldType::Double:
  case FieldType::Currency: return FieldKind::Float;
  case FieldType::Date: return FieldKind::Date;
  case FieldType::Time: return FieldKind::Time;
  case FieldType::DateTime: return FieldKind::DateTime;
  case FieldType::Blob:
  case FieldType::Memo:
  case FieldType::FmtMemo:
  case FieldType::Graphic: return FieldKind::Blob;
  }
  return FieldKind::Blob;
}

int FixedWidth(FieldType type) {
  switch (type) {
  case FieldType::SmallInt:
  case FieldType::Boolean: return 2;
  case FieldType::Integer:
  case FieldType::Date:
  case FieldType::Time:
  case FieldType::AutoInc: return 4;
  case FieldType::Int64:
  case FieldType::Double:
  case FieldType::Currency:
  case FieldType::DateTime: return 8;
  default: return 0;
  }
}

bool IsCountedType(FieldType type) {
  return type == FieldType::String || KindOf(type) == FieldKind::Blob;
}

} // namespace quarbel
