# Reads VARNOCK_VERSION_TEXT ("1.00") from state/version.h, the one place the
# version is written, for the package names: the Windows zip and the Debian
# package then always carry the version of the caption and the resources.
file(STRINGS ${PROJECT_SOURCE_DIR}/state/version.h _varnock_version REGEX "#define VARNOCK_VERSION_TEXT ")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" VARNOCK_VERSION_TEXT "${_varnock_version}")
