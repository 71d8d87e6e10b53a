#pragma once

#include <string_view>

// The field types of a record table and how each is held and stored.
namespace quarbel {

enum class FieldType {
  SmallInt,
  Integer,
  Int64,
  Boolean,
  Double,
  Currency,
  Date,
  Time,
  DateTime,
  AutoInc,
  SmallStr, // short text; its type letter gives its maximum length
  String,   // text of a declared size, stored with a count
  Blob,
  Memo,
  FmtMemo,
  Graphic,
};

// Groups of types that may stand for one another when a declared field is bound to the
// field of a file.
enum class FieldKind { Text, Boolean, Integer, Float, Date, Time, DateTime, Blob };

// The type of a type letter. For SmallStr (the digits, capitals and any unknown letter)
// `smallStrLength` receives the maximum text length the letter gives ("0" to "9" are 0 to 9,
// "A" to "Z" are 10 to 35; other letters by the same arithmetic).
FieldType FieldTypeOfLetter(unsigned char letter, int& smallStrLength);

// The letter of a type; for SmallStr the letter of `size`, for the others `size` is ignored.
unsigned char LetterOfFieldType(FieldType type, int size);

std::string_view FieldTypeName(FieldType type);
FieldKind KindOf(FieldType type);

// Width of a fixed-width value (SmallInt 2, Integer 4, Double 8, ...); 0 for texts and blobs.
int FixedWidth(FieldType type);

// String and the blob types: stored as a count followed by the bytes.
bool IsCountedType(FieldType type);

} // namespace quarbel
