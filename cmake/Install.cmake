# The installed program: `cmake --install BUILD --prefix PREFIX` lays out
#
#   PREFIX/bin/                              quarbel-vorizareda, quarbel-convert
#   PREFIX/lib/quarbel-vorizareda/           quarbel-wordproc
#   PREFIX/share/quarbel-vorizareda/         Styles/, Icons/Software/, Data Base/, Help/
#   PREFIX/share/applications, icons/hicolor, metainfo, mime/packages, man/man1,
#   PREFIX/share/doc/quarbel-vorizareda/     the desktop's and the package's files
#
# The program finds its data and helper from its own place (../share/quarbel-vorizareda,
# ../lib/quarbel-vorizareda), so these folders are fixed, not the GNUInstallDirs ones (which
# put libraries under lib/<multiarch> for a /usr prefix), and the tree may be moved whole.
# The executables themselves are installed by src/CMakeLists.txt.

set(QUARBEL_APP_ID "org.quarbel.Vorizareda")
set(QUARBEL_INSTALL_DATADIR "share/quarbel-vorizareda")
set(QUARBEL_INSTALL_DOCDIR "share/doc/quarbel-vorizareda")
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(packaging_dir "${PROJECT_SOURCE_DIR}/packaging")
set(packaging_out "${CMAKE_BINARY_DIR}/packaging")

find_program(QUARBEL_GZIP gzip REQUIRED)

# Who answers for the package. The team has no mail address yet, and Debian's Maintainer
# field must have one: ".invalid" is the top-level domain reserved for names that can never
# exist (RFC 2606), so the field is well formed while saying plainly that no mail reaches
# anyone. Set the team's real address here when it has one.
set(QUARBEL_PACKAGE_MAINTAINER "Quarbel Vorizareda team <team@quarbel-vorizareda.invalid>"
    CACHE STRING "The Maintainer of the Debian package: Name <address>")
configure_file("${packaging_dir}/changelog.in" "${packaging_out}/changelog" @ONLY)

# The program's icon at every size of the desktop's icon theme, drawn as the program folder's.
set(QUARBEL_ICON_SIZES 16 32 48 64 128 256)
set(app_icon_files "")
foreach(size IN LISTS QUARBEL_ICON_SIZES)
  set(icon "${packaging_out}/icons/${size}x${size}/${QUARBEL_APP_ID}.png")
  add_custom_command(OUTPUT "${icon}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${packaging_out}/icons/${size}x${size}"
    COMMAND quarbel-make-data --application-icon ${size} "${icon}"
    DEPENDS quarbel-make-data
    COMMENT "Drawing the ${size} x ${size} program icon"
    VERBATIM)
  list(APPEND app_icon_files "${icon}")
endforeach()

# Manual pages and the changelog, compressed as Debian wants them: gzip -9n (no name and
# time stamp inside, so the same sources give the same bytes).
set(gzipped_files "")
foreach(source "${packaging_dir}/quarbel-convert.1" "${packaging_dir}/quarbel-vorizareda.1"
               "${packaging_out}/changelog")
  get_filename_component(name "${source}" NAME)
  set(out "${packaging_out}/${name}.gz")
  add_custom_command(OUTPUT "${out}"
    COMMAND ${QUARBEL_GZIP} -9n -c "${source}" > "${out}"
    DEPENDS "${source}"
    COMMENT "Compressing ${name}")
  list(APPEND gzipped_files "${out}")
endforeach()

add_custom_target(install_data ALL DEPENDS ${app_icon_files} ${gzipped_files})

# The program's data, as the program folder has it.
install(DIRECTORY "${QUARBEL_PROGRAM_DIR}/Styles" "${QUARBEL_PROGRAM_DIR}/Help"
                  "${QUARBEL_PROGRAM_DIR}/Data Base"
        DESTINATION "${QUARBEL_INSTALL_DATADIR}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE
        GROUP_READ WORLD_READ)
install(DIRECTORY "${QUARBEL_PROGRAM_DIR}/Icons/Software"
        DESTINATION "${QUARBEL_INSTALL_DATADIR}/Icons" FILE_PERMISSIONS OWNER_READ OWNER_WRITE
        GROUP_READ WORLD_READ)

# The desktop's files.
install(FILES "${packaging_dir}/${QUARBEL_APP_ID}.desktop" DESTINATION share/applications)
install(FILES "${packaging_dir}/${QUARBEL_APP_ID}.metainfo.xml" DESTINATION share/metainfo)
install(FILES "${packaging_dir}/${QUARBEL_APP_ID}.mime.xml" DESTINATION share/mime/packages
        RENAME "${QUARBEL_APP_ID}.xml")
foreach(size IN LISTS QUARBEL_ICON_SIZES)
  install(FILES "${packaging_out}/icons/${size}x${size}/${QUARBEL_APP_ID}.png"
          DESTINATION "share/icons/hicolor/${size}x${size}/apps")
endforeach()
install(FILES "${packaging_dir}/${QUARBEL_APP_ID}.svg" DESTINATION share/icons/hicolor/scalable/apps)

# Manual pages and the package's documents.
install(FILES "${packaging_out}/quarbel-convert.1.gz" "${packaging_out}/quarbel-vorizareda.1.gz"
        DESTINATION share/man/man1)
install(FILES "${packaging_dir}/copyright" "${packaging_out}/changelog.gz"
        DESTINATION "${QUARBEL_INSTALL_DOCDIR}")
