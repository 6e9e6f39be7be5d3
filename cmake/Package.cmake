# The station's Debian package: `cpack -G DEB` in a build folder. Everything
# lives in one program folder; the desktop entry starts the program in the
# station folder, where Conf.ini is. Maintainer scripts: packaging/.
set(QUAVERON_PROGRAM_DIR opt/quaveron)
set(QUAVERON_STATION_DIR var/lib/quaveron)

install(TARGETS quaveron quaveron-sim DESTINATION ${QUAVERON_PROGRAM_DIR})
install(FILES data/Lingua.ini DESTINATION ${QUAVERON_PROGRAM_DIR})
install(DIRECTORY data/Immagini DESTINATION ${QUAVERON_PROGRAM_DIR})
install(FILES data/demo/Conf.ini data/demo/smoke-run.txt DESTINATION ${QUAVERON_PROGRAM_DIR}/demo)
install(PROGRAMS scripts/demo.sh DESTINATION ${QUAVERON_PROGRAM_DIR} RENAME quaveron-demo)
install(FILES packaging/quaveron.desktop packaging/quaveron-demo.desktop DESTINATION usr/share/applications)
install(FILES data/Immagini/Logo.png DESTINATION usr/share/icons/hicolor/96x96/apps RENAME quaveron.png)
# The program reads Lingua.ini from its working directory: the station folder
# has a relative link to the shipped one, so it also works unpacked elsewhere.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
file(CREATE_LINK ../../../${QUAVERON_PROGRAM_DIR}/Lingua.ini ${CMAKE_BINARY_DIR}/package/Lingua.ini SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/package/Lingua.ini DESTINATION ${QUAVERON_STATION_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quaveron)
set(CPACK_PACKAGING_INSTALL_PREFIX /)
set(CPACK_PACKAGE_CONTACT "Quaveron developers <quaveron@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Exhaust-emission test station: gas analyser, opacimeter, rev counter")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its SQLite driver as a plugin at run time, which dpkg-shlibdeps cannot see.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6sql6-sqlite)
# The PostgreSQL driver is needed only by a lane of a centre's server archive.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libqt6sql6-psql)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/postinst ${PROJECT_SOURCE_DIR}/packaging/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
