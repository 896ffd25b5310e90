# What `cmake --install` lays down and how CPack wraps it into a Debian package:
# totem_<version>_amd64.deb, made by `./kiosk package` from a Release build.
include(GNUInstallDirs)

set(TOTEM_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
# Debian's place, whatever project() is called.
set(TOTEM_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/totem)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS totem totem-archive RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${TOTEM_PACKAGING_DIR}/totem.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${TOTEM_PACKAGING_DIR}/totem.svg
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)

# The kiosk session: the unit, its user and its working folder. Under /usr/lib, where
# systemd looks for what packages ship, never under /etc, which is the technician's.
install(FILES ${TOTEM_PACKAGING_DIR}/totem-kiosk.service DESTINATION lib/systemd/system)
install(FILES ${TOTEM_PACKAGING_DIR}/totem.sysusers DESTINATION lib/sysusers.d
        RENAME totem.conf)
install(FILES ${TOTEM_PACKAGING_DIR}/totem.tmpfiles DESTINATION lib/tmpfiles.d
        RENAME totem.conf)

# The README's parts for whoever installs and runs the kiosk; building and the sources'
# layout stay in the repository. docs/ keeps its name, so the README's links still work.
set(TOTEM_USER_SECTIONS "The programs" "Installazione su un totem" "Stampanti")
file(READ ${PROJECT_SOURCE_DIR}/README.md readme)
string(FIND "${readme}" "\n## " first_section)
string(SUBSTRING "${readme}" 0 ${first_section} user_readme)
string(REGEX MATCHALL "\n## [^\n]+" headings "${readme}")
foreach(heading ${headings})
    string(SUBSTRING "${heading}" 4 -1 title)
    if(NOT title IN_LIST TOTEM_USER_SECTIONS)
        continue()
    endif()
    string(FIND "${readme}" "${heading}" start)
    string(SUBSTRING "${readme}" ${start} -1 rest)
    string(SUBSTRING "${rest}" 1 -1 body)
    string(FIND "${body}" "\n## " end)
    string(SUBSTRING "${body}" 0 ${end} body)
    string(APPEND user_readme "\n\n${body}")
endforeach()
file(WRITE ${PROJECT_BINARY_DIR}/packaging/README.md.new "${user_readme}\n")
configure_file(${PROJECT_BINARY_DIR}/packaging/README.md.new
               ${PROJECT_BINARY_DIR}/packaging/README.md COPYONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/README.md)

# Debian wants the changelog and manual pages compressed as gzip -9n makes them: no name,
# no time stamp.
configure_file(${TOTEM_PACKAGING_DIR}/changelog.in ${PROJECT_BINARY_DIR}/packaging/changelog
               @ONLY)
find_program(GZIP_PROGRAM gzip REQUIRED)
foreach(file ${PROJECT_BINARY_DIR}/packaging/changelog ${TOTEM_PACKAGING_DIR}/totem.1
        ${TOTEM_PACKAGING_DIR}/totem-archive.1)
    get_filename_component(name ${file} NAME)
    execute_process(COMMAND ${GZIP_PROGRAM} -9nc ${file}
                    OUTPUT_FILE ${PROJECT_BINARY_DIR}/packaging/${name}.gz
                    COMMAND_ERROR_IS_FATAL ANY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
endforeach()
install(FILES ${PROJECT_BINARY_DIR}/packaging/totem.1.gz
              ${PROJECT_BINARY_DIR}/packaging/totem-archive.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES ${PROJECT_BINARY_DIR}/packaging/README.md ${TOTEM_PACKAGING_DIR}/copyright
              ${PROJECT_BINARY_DIR}/packaging/changelog.gz DESTINATION ${TOTEM_DOC_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs DESTINATION ${TOTEM_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME totem)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Totem KZ4")
set(CPACK_PACKAGE_CONTACT "Totem KZ4 <totem@kz4.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "ticket kiosk for office queues, with its console")
# CPack puts the summary first and indents these lines; an empty line separates paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A full-screen public screen where the public presses a counter's button and
gets a paper ticket with that counter's next number, and the administration
console (in Italian) that starts the day, edits the numbers, the weekly
schedule, the ticket and the screen's layout.

The package also holds a kiosk session, disabled until enabled: the public
screen under the cage compositor at boot, restarted when it stops.")
# Debian's archive holds a package of the same name, a media player, at version 43: the
# epoch keeps an upgrade from taking it for a newer kiosk. File names carry no epoch.
set(CPACK_DEBIAN_PACKAGE_EPOCH 1)
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT CPACK_DEBIAN_PACKAGE_ARCHITECTURE)
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
endif()
set(CPACK_DEBIAN_FILE_NAME totem_${PROJECT_VERSION}_${CPACK_DEBIAN_PACKAGE_ARCHITECTURE}.deb)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_STRIP_FILES ON)
# Libraries the programs link come from dpkg-shlibdeps where it works; what they load at
# run time (Qt's SQL drivers and Wayland platform) and the session's programs are named.
find_program(DPKG_SHLIBDEPS_PROGRAM dpkg-shlibdeps)
if(DPKG_SHLIBDEPS_PROGRAM)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(totem_linked_libraries "")
else()
    set(totem_linked_libraries
        "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6sql6 (>= 6.4), libqt6printsupport6 (>= 6.4), libqt6network6 (>= 6.4), libcups2, ")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "${totem_linked_libraries}libqt6sql6-sqlite, libqt6sql6-psql, qt6-wayland, cage, xwayland, systemd")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${TOTEM_PACKAGING_DIR}/postinst
    ${TOTEM_PACKAGING_DIR}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
