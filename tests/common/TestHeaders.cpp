// The precompiled headers of every test program are built with this file (tests/CMakeLists.txt).
