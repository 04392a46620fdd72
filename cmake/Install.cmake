# Installing connsheet and packaging it as a .deb (cpack -G DEB).
#
# The tree it installs is relocatable: the command finds its library and texts in
# <prefix>/share/connsheet/ beside itself (platform/mxbase/InstallLayout.h) and the render module in
# <prefix>/lib/connsheet/ (platform/mfc/TextRenderer.cpp), so the tree may be copied anywhere.
include(GNUInstallDirs)

install(TARGETS connsheet RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT connsheet)
# Looked for at <program dir>/../lib/connsheet/: not CMAKE_INSTALL_LIBDIR, which may be multiarch.
install(TARGETS connsheet_render connsheet_office LIBRARY DESTINATION lib/connsheet COMPONENT connsheet)
install(DIRECTORY "${PROJECT_SOURCE_DIR}/examples/library/" DESTINATION ${CMAKE_INSTALL_DATADIR}/connsheet/library
        COMPONENT connsheet)
install(DIRECTORY "${PROJECT_SOURCE_DIR}/res/" DESTINATION ${CMAKE_INSTALL_DATADIR}/connsheet/res COMPONENT connsheet
        PATTERN "*.md" EXCLUDE)
install(FILES "${PROJECT_SOURCE_DIR}/cli/completion/connsheet.bash" RENAME connsheet
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions COMPONENT connsheet)
install(FILES "${PROJECT_SOURCE_DIR}/README.md" DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT connsheet)
file(GLOB connsheet_docs "${PROJECT_SOURCE_DIR}/docs/*.md")
install(FILES ${connsheet_docs} DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT connsheet)

# The manual page is made from the program's own --help and --version, so it never lags behind the
# options. Without help2man the page is left out (scripts/install-deps.sh installs it).
find_program(HELP2MAN help2man)
if(HELP2MAN)
    set(connsheet_man "${CMAKE_BINARY_DIR}/connsheet.1")
    add_custom_command(OUTPUT "${connsheet_man}"
        COMMAND "${HELP2MAN}" --no-info --no-discard-stderr --section=1
                "--name=connection-standards engine and spreadsheet tools"
                "--include=${PROJECT_SOURCE_DIR}/cli/connsheet.h2m" --output=${connsheet_man} $<TARGET_FILE:connsheet>
        DEPENDS connsheet "${PROJECT_SOURCE_DIR}/cli/connsheet.h2m"
        COMMENT "Writing the connsheet manual page"
        VERBATIM)
    add_custom_target(connsheet_man ALL DEPENDS "${connsheet_man}")
    install(FILES "${connsheet_man}" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT connsheet)
else()
    message(STATUS "help2man not found: the connsheet manual page is not made")
endif()

set(CPACK_PACKAGE_NAME connsheet)
set(CPACK_PACKAGE_VENDOR "connsheet")
set(CPACK_PACKAGE_CONTACT "connsheet developers <connsheet@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Connection-standards engine and spreadsheet tools")
set(CPACK_PACKAGE_DESCRIPTION
    "Runs connection standards sheets against macros (run, batch, eval, check), and loads, recalculates\n and prints grid files (calc). Ships an example library of standards, data files and section tables.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_COMPONENTS_ALL connsheet)
set(CPACK_DEB_COMPONENT_INSTALL OFF)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends from the shared libraries the program and the render module link (libc, libstdc++, pango,
# cairo, fontconfig); the fonts the render module draws with.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation | fonts-liberation2, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "bash-completion")
set(CPACK_STRIP_FILES ON)
include(CPack)
