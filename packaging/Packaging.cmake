# What `cmake --install` and the Debian package put where, and how CPack builds the package.
# Included from the top-level list, after every target exists.
include(GNUInstallDirs)
# Installing and packaging take the programs as built; scripts/package builds them first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(VID_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/vidarera)
install(TARGETS vidarera vidarera-stock RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/vidarera.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/vidarera.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/vidarera.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_CURRENT_LIST_DIR}/Config.ini.sample
        DESTINATION ${VID_DOC_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/docs/panduan.md DESTINATION ${VID_DOC_DIR} OPTIONAL)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/img DESTINATION ${VID_DOC_DIR} OPTIONAL
        FILES_MATCHING PATTERN "*.png")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vidarera)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vid Arera")
set(CPACK_PACKAGE_CONTACT "Vid Arera <vidarera@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Cek stok dan laporan untuk KRT, SOKA dan KW")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Program desktop untuk staf: cek stok di database Firebird ketiga perusahaan, "
       "cetak dan ekspor stok, item to buy, laporan penjualan dan piutang, user online "
       "dan profil user. Termasuk vidarera-stock, cek stok dari baris perintah.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The libraries come from what the programs actually link (dpkg-shlibdeps); the report
# fonts are read at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
# A user without raw-socket rights reaches the LAN server's echo through the system's ping;
# without it the program goes straight to the head office.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "iputils-ping")
include(CPack)
