# `make package` (cpack -G DEB in the build folder): a Debian package of the installed tree
# of cmake/Install.cmake under /usr, left in the build folder as
# quarbel-vorizareda_VERSION_ARCH.deb.
#
# No maintainer scripts: Debian 12's desktop-file-utils, hicolor-icon-theme, shared-mime-info
# and man-db watch /usr/share/applications, /usr/share/icons/hicolor,
# /usr/share/mime/packages and /usr/share/man with dpkg file triggers and refresh their
# databases themselves when a package puts files there.

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "quarbel-vorizareda")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Quarbel Vorizareda team")
set(CPACK_PACKAGE_CONTACT "${QUARBEL_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
# The executables are built with debugging information; the package carries them without.
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})

set(CPACK_DEBIAN_PACKAGE_NAME "quarbel-vorizareda")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUARBEL_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# The architecture as dpkg names it (amd64, arm64, …): CPack asks dpkg --print-architecture.
# The libraries the executables link come from dpkg-shlibdeps; the helper loads LibreOffice
# at run time, which no linker sees, so Writer is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libreoffice-writer | libreoffice-writer-nogui")
# Qt's own dialogs and buttons in Ukrainian, as the program's interface.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "HTML electronic textbooks from a teacher's documents")
# The extended description, under the summary line that CPack puts first: English, then
# Ukrainian.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Quarbel Vorizareda turns ordinary documents into an electronic textbook.
The teacher builds a course tree of headings and documents (Word, PDF,
DjVu, spreadsheets, slides, pictures, MP4 video), fills in a title page
and an author page, picks a look and gets a self-contained HTML textbook
with a tree menu, one page per document and previous and next links, in
a classic look or a modern one for phones with an offline search. A
visual HTML editor stands beside it; quarbel-convert does the same from
scripts. Word documents are converted by LibreOffice Writer.

Quarbel Vorizareda перетворює звичайні документи на електронний
посібник. Учитель складає дерево курсу з розділів і документів (Word,
PDF, DjVu, таблиці, презентації, малюнки, відео MP4), заповнює титульну
сторінку та сторінку автора, вибирає вигляд і отримує самодостатній
посібник HTML з деревом меню, окремою сторінкою для кожного документа та
посиланнями назад і вперед. Інтерфейс програми український.")

include(CPack)
