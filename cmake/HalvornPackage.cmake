# A Debian package of the installed program: `cpack -G DEB` in the build
# folder. Its dependencies on Qt and the C++ runtime are found by
# dpkg-shlibdeps from the executables; only what no executable links (the
# fonts the screens and reports are laid out for) is named here.
set(CPACK_PACKAGE_NAME halvorn)
set(CPACK_PACKAGE_VENDOR Tamberlo)
# Debian requires a maintainer with a mail address. Halvorn has none yet, so
# this one, like the changelog's, is a placeholder that reaches no one (the
# README's Install section says so); there is no Homepage field for the same
# reason.
set(CPACK_PACKAGE_CONTACT "Tamberlo <halvorn@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "weight and blood-pressure logs and password entries for a household")
set(CPACK_PACKAGE_DESCRIPTION
  "Halvorn keeps a weight log and a blood-pressure log for any number of named\n\
people and a list of password entries, with derived figures, graphs, printed\n\
reports, and backup and restore of each function's files. Every log and\n\
setting is kept in the user's own data folder.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)

include(CPack)
