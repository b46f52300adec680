# The Debian package (cpack -G DEB, see scripts/package.sh).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantorel)
set(CPACK_PACKAGE_VENDOR "Vantorel maintainers")
set(CPACK_PACKAGE_CONTACT "Vantorel maintainers <maintainers@users.noreply.c-seed-cc76f1ca.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "multi-window web browser with multi-engine search")
set(CPACK_PACKAGE_DESCRIPTION
  "Vantorel is a multi-window desktop web browser with a Simplified-Chinese
interface, built on Qt WebEngine. Each page lives in a window of its own
inside the main window, which can also show them as tabs.
.
A side panel carries its own tools: one query sent to many search engines
at once, a bookmark tree with import and export, text snippets typed into
web forms, external programs started from the toolbar, a mail pane that
sends through an SMTP server, ping and the list of active connections.")
# dpkg-shlibdeps derives the libraries it links, and with Qt WebEngine's library
# the package of its helper process (its resources come with that library). What
# the running program loads without linking it is named here: the SVG image
# plugin (icons), the SQLite driver (browser bookmarks to import) and the CJK
# fonts of the interface (the X11 platform plugin comes with libqt6gui6).
# scripts/package-check.sh checks that every file the running program maps
# comes from these.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, libqt6sql6-sqlite, fonts-noto-cjk")
# Chinese texts of Qt's own dialogs, the keyring behind "记住密码", the file
# manager and ping the tools call; each feature says so when its part is missing.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, libsecret-1-0, xdg-utils, iputils-ping")
include(CPack)
