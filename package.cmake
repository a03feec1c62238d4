# `cpack -G DEB` (`make package`): a Debian package of what install.cmake installs, under /usr.
# The libraries the executables link are found by dpkg-shlibdeps; what they load at run time
# is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvin)
set(CPACK_PACKAGE_VENDOR "Quorvin developers")
set(CPACK_PACKAGE_CONTACT "Quorvin developers <quorvin@example.org>"
    CACHE STRING "Maintainer named in the Debian package")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "draughts and checkers game")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Quorvin plays Vorna, International draughts, Spanish checkers, Straight checkers, Russian\n"
    "draughts, Pool checkers, Czech and Italian draughts on any board from 4 x 4 to 12 x 12\n"
    "squares, with the computer or a person on either side. It\n"
    "gives advice, undoes and redoes moves, sets up, saves and opens positions, and comes with\n"
    "five board styles, sounds and a help page with the rules. quorvin-cli runs the same engine\n"
    "on the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads the window system's platform plugin at run time; without it no window opens. The
# sound plugins ship inside libqt6multimedia6, which dpkg-shlibdeps finds.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Qt's own texts (message box buttons, file dialogs) in the language file's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")

include(CPack)
