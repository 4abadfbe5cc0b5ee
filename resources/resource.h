/* Resource ids shared by brandwick.rc and the program. Each kind keeps its own range. */
#ifndef BRANDWICK_RESOURCE_H
#define BRANDWICK_RESOURCE_H

/* Bitmaps */
#define IDB_BANNER 101
#define IDB_MONITOR 102
#define IDB_EMBLEM 103

/* Cursor group (not IDC_HAND: winuser.h gives that name to the system's own hand) */
#define IDCUR_HAND 101

/* Icon group and its images; the images are numbered by hand so the ids never move. */
#define IDI_APP 1
#define IDI_APP_48 30001
#define IDI_APP_32 30002
#define IDI_APP_24 30003
#define IDI_APP_16 30004

#endif
