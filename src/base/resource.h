/* Resource identifiers shared by veloria.rc and the program. */
#ifndef VELORIA_BASE_RESOURCE_H
#define VELORIA_BASE_RESOURCE_H

#define IDI_VELORIA 1

#endif
