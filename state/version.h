/* The program's version, once for the C++ code, the resource scripts and the
   package name (cmake/package.cmake reads VARNOCK_VERSION_TEXT from here). It
   must match the "R1.00" of the window caption, which a test checks. Plain
   preprocessor lines only: the resource compilers (windres, rc) read this file. */
#pragma once

#define VARNOCK_VERSION_MAJOR 1
#define VARNOCK_VERSION_MINOR 0
#define VARNOCK_VERSION_TEXT "1.00"
