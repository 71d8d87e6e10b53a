// Writes the empty record template the program copies for every new record file.
//
//   quarbel-make-template "PROGRAM_FOLDER/Data Base/Data Base.QCD"

#include "records/record_fields.h"
#include "tablestore/table_image.h"
#include "text/file_bytes.h"

#include <exception>
#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: quarbel-make-template TEMPLATE_FILE\n";
    return 2;
  }
  try {
    const std::filesystem::path target = argv[1];
    std::filesystem::create_directories(target.parent_path());
    quarbel::ReplaceFileBytes(target, quarbel::FormatTableImage(quarbel::EmptyRecordTable()));
  } catch (const std::exception& e) {
    std::cerr << "quarbel-make-template: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
