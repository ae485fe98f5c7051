# SPDX-License-Identifier: GPL-3.0-or-later
# `cpack -G DEB` (or the `package` target) turns the installed files into a
# Debian package whose library dependencies dpkg-shlibdeps works out.
set(KELVARA_PACKAGE_MAINTAINER "Kelvara maintainers <maintainers@users.noreply.c-seed-661a0bd3.example>"
    CACHE STRING "Maintainer named in the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvara)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kelvara maintainers")
set(CPACK_PACKAGE_CONTACT "${KELVARA_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Debian shows the description as written, so it is wrapped here.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Kelvara simulates a quincunx (Galton board) for teaching statistical\n"
  "process control. Balls are dropped in subgroups; their readings, averages\n"
  "and ranges go into a data table, and the program draws X-bar and R charts,\n"
  "histograms and the capability indices Cp and Cpk. A self-running\n"
  "demonstration gives a guided tour.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KELVARA_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugins at run time, out of dpkg-shlibdeps's sight, so
# their package is named here; CPack adds the libraries dpkg-shlibdeps finds.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)

include(CPack)
