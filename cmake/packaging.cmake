# What `cmake --install` puts under the prefix, and the Debian package CPack builds
# from it.
include(GNUInstallDirs)

set(TAVLO_APP_ID example.tavlo.Tavlo)
set(TAVLO_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/tavlo)

# Debian wants manual pages and changelogs compressed with gzip -9n (no name, no time
# stamp, so that the package builds byte for byte the same).
find_program(GZIP_EXECUTABLE gzip REQUIRED)
function(tavlo_gzip source output)
    add_custom_command(OUTPUT ${output}
        COMMAND ${GZIP_EXECUTABLE} -9nc ${source} > ${output}
        DEPENDS ${source}
        COMMENT "Compressing ${source}"
        VERBATIM)
endfunction()

set(pkgdir ${CMAKE_BINARY_DIR}/package)

# The programs and their manual pages. Deferred to the end of the top folder, so that a
# program target made after this file was included is packaged as well.
function(tavlo_install_programs)
    set(programs tavlo)
    if(TARGET tavlo-map)
        list(APPEND programs tavlo-map)
    endif()
    set(compressed ${pkgdir}/changelog.Debian.gz)
    tavlo_gzip(${CMAKE_SOURCE_DIR}/resources/debian/changelog ${pkgdir}/changelog.Debian.gz)
    foreach(program ${programs})
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
        # A stripped install (CPack's) also drops the compilers' .comment notes, as
        # Debian's own packaging does.
        install(CODE "
            if(CMAKE_INSTALL_DO_STRIP)
                execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\"
                    COMMAND_ERROR_IS_FATAL ANY)
            endif()")
        set(page ${CMAKE_SOURCE_DIR}/docs/man/${program}.1)
        if(EXISTS ${page})
            tavlo_gzip(${page} ${pkgdir}/${program}.1.gz)
            install(FILES ${pkgdir}/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
            list(APPEND compressed ${pkgdir}/${program}.1.gz)
        endif()
    endforeach()
    add_custom_target(tavlo_package_files ALL DEPENDS ${compressed})
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL tavlo_install_programs)

# The copyright file carries the licence text of LICENSE, indented as the format wants.
file(READ ${CMAKE_SOURCE_DIR}/LICENSE license)
string(REGEX REPLACE "^MIT License\n\n" "" license "${license}")
string(REGEX REPLACE "\n+$" "" license "${license}")
string(REPLACE "\n\n" "\n.\n" license "${license}")
string(REPLACE "\n" "\n " TAVLO_LICENSE_TEXT " ${license}")
configure_file(${CMAKE_SOURCE_DIR}/resources/debian/copyright.in ${pkgdir}/copyright @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE)

# The desktop entry keeps the name `tavlo.desktop` that every start writes into the
# user's own folder: the user's copy then stands in for this one, so the menu shows
# one Tavlo, and mimeapps.list names the same entry either way.
install(FILES resources/tavlo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/tavlo-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME tavlo.xml)
install(FILES resources/${TAVLO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128 256)
    install(FILES resources/images/icons/tavlo-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME tavlo.png)
endforeach()
install(FILES resources/images/icons/tavlo.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${pkgdir}/copyright ${pkgdir}/changelog.Debian.gz DESTINATION ${TAVLO_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavlo)
set(CPACK_PACKAGE_VENDOR "The Tavlo developers")
set(CPACK_PACKAGE_CONTACT "The Tavlo developers <maintainers@tavlo.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tavlo.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not libraries, so not found by shlibdeps: the font the windows are laid out for
# ("Arial"), and the desktop's browser lookup for the preview.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The synopsis is the project's DESCRIPTION; this is the extended description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tavlo puts a GIF or JPEG picture in its window and lets you draw rectangle,
circle and polygon hot areas on it with the mouse, each with a link, an
optional target and an optional alternative text.
.
The map is written as HTML markup to the clipboard, to a map file (.tavl),
to a new page, to a text file, or back into the page it was read from,
leaving the rest of that page byte for byte as it was. Saved maps open
again for further editing, and can be previewed in the web browser.")
include(CPack)

# The package built and judged as Debian judges packages; needs the whole build. Not in
# sanitizer builds, whose programs are no one's package, and not where a package is being
# built from this tree (its own test run would otherwise call cpack and lintian).
if(BUILD_TESTING AND TAVLO_PACKAGE_CHECK AND NOT TAVLO_SANITIZE)
    add_test(NAME package COMMAND ${CMAKE_SOURCE_DIR}/tools/checkpackage.sh ${CMAKE_BINARY_DIR}
             $<TARGET_EXISTS:tavlo-map>)
    set_tests_properties(package PROPERTIES TIMEOUT 300)
endif()
