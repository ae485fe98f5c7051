# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts in place: the program, its desktop entry, its
# AppStream metainfo, its icon in the hicolor theme and, for the Debian
# package, its copyright file.
# Tests, the benchmark and the tools stay in the build folder.
include(GNUInstallDirs)

install(TARGETS kelvara RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/data/kelvara.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
# Software centres list the program from its AppStream metainfo.
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/data/org.kelvara.Kelvara.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/data/icons/
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons)
# Named after the package, not the project, as Debian looks for it there.
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/kelvara)
