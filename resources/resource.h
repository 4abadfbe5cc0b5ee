/* Resource ids shared by brandwick.rc and the program. Each kind keeps its own range. */
#ifndef BRANDWICK_RESOURCE_H
#define BRANDWICK_RESOURCE_H

/* winuser.h names its stock hand cursor IDC_HAND too. The program only ever wants its own hand, so
   the system header is read first and its definition replaced, whatever the include order. */
#if defined(_WIN32) && !defined(RC_INVOKED)
#include <windows.h>
#undef IDC_HAND
#endif

/* Bitmaps */
#define IDB_BANNER 101
#define IDB_MONITOR 102
#define IDB_EMBLEM 103

/* Cursor group */
#define IDC_HAND 101

/* Icon group and its images; the images are numbered by hand so the ids never move. */
#define IDI_APP 1
#define IDI_APP_48 30001
#define IDI_APP_32 30002
#define IDI_APP_24 30003
#define IDI_APP_16 30004

#endif
