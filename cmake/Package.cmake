# A Debian package: cpack -G DEB in the build folder writes zorbel_VERSION_ARCH.deb.
set(CPACK_PACKAGE_NAME zorbel)
set(CPACK_PACKAGE_VENDOR "Zorbel")
set(CPACK_PACKAGE_CONTACT "Zorbel <support@zorbel.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "drawing school for children: draw dinosaurs step by step")
set(CPACK_PACKAGE_DESCRIPTION "A small window shows a cartoon dinosaur in six steps, from the first rough shapes
to the finished coloured picture; the child copies each step with the mouse onto a white canvas,
with a colour palette, pen widths, undo, a grid, saving, opening and printing, sound effects and
several languages.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.zorbel.example/")
# dpkg-shlibdeps turns the linked Qt libraries into the package's dependencies.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_GENERATOR DEB)
include(CPack)
