/* Resource identifiers of Orlimo.exe, shared by the resource script and the renderer.
   Plain definitions only: the resource compiler reads this file too.

   The button pictures are 16 x 16, 24-bit, on light grey RGB(192, 192, 192) in every corner:
   load them with LR_LOADMAP3DCOLORS to put them on the button face, or treat that grey as the
   transparent colour. */
#pragma once

#define IDI_APP 1
#define IDB_KEY 101  /* password button: a key */
#define IDB_USER 102 /* user button: a person */
#define IDB_HIDE 103 /* hide button: an arrow down onto a bar */

#define IDR_COMMON_CONTROLS 201 /* manifest of the common controls 6 (RT_MANIFEST) */
