/* The program's identity for the version resource (veloria.rc) and for
   version.cpp. Plain C preprocessor: windres reads this file too. The
   numbers come from the build (the project's version in CMakeLists.txt),
   given only to the resource and to version.cpp, so that a copy built as
   another version recompiles just those two. */
#ifndef VELORIA_BASE_PRODUCT_H
#define VELORIA_BASE_PRODUCT_H

#if !defined(VELORIA_VERSION_MAJOR) || !defined(VELORIA_VERSION_MINOR) || !defined(VELORIA_VERSION_REVISION)
#error "the build gives the version numbers (VELORIA_VERSION_MAJOR, _MINOR, _REVISION)"
#endif

#define VELORIA_PRODUCT_NAME "Veloria"

#define VELORIA_STRINGIZE_(x) #x
#define VELORIA_STRINGIZE(x) VELORIA_STRINGIZE_(x)

/* "Veloria 2": the application title, product name and major version. */
#define VELORIA_APP_TITLE VELORIA_PRODUCT_NAME " " VELORIA_STRINGIZE(VELORIA_VERSION_MAJOR)

/* "2.0.0.0": the four-part form the version resource shows. */
#define VELORIA_VERSION_QUAD                                                                      \
    VELORIA_STRINGIZE(VELORIA_VERSION_MAJOR) "." VELORIA_STRINGIZE(VELORIA_VERSION_MINOR) "." \
    VELORIA_STRINGIZE(VELORIA_VERSION_REVISION) ".0"

#endif
