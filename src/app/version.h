/* The one definition of the program's identity. The version resource
   (veloria.rc), the instance mutex name and every version text the program
   builds come from these macros. Plain C preprocessor only: windres reads
   this file too. A build may override the numbers (-DVELORIA_VERSION_...)
   to make a copy of another version. */
#ifndef VELORIA_APP_VERSION_H
#define VELORIA_APP_VERSION_H

#define VELORIA_PRODUCT_NAME "Veloria"

#ifndef VELORIA_VERSION_MAJOR
#define VELORIA_VERSION_MAJOR 2
#endif
#ifndef VELORIA_VERSION_MINOR
#define VELORIA_VERSION_MINOR 0
#endif
#ifndef VELORIA_VERSION_REVISION
#define VELORIA_VERSION_REVISION 0
#endif

#define VELORIA_STRINGIZE_(x) #x
#define VELORIA_STRINGIZE(x) VELORIA_STRINGIZE_(x)

/* "Veloria 2": the application title, product name and major version. */
#define VELORIA_APP_TITLE VELORIA_PRODUCT_NAME " " VELORIA_STRINGIZE(VELORIA_VERSION_MAJOR)

/* "2.0.0.0": the four-part form the version resource shows. */
#define VELORIA_VERSION_QUAD                                                   \
    VELORIA_STRINGIZE(VELORIA_VERSION_MAJOR) "." VELORIA_STRINGIZE(VELORIA_VERSION_MINOR) "." \
    VELORIA_STRINGIZE(VELORIA_VERSION_REVISION) ".0"

#endif
