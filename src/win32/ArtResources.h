// The artwork the layouts name, built into the program as RCDATA resources under these numbers.
// Included by the resource script as well, so it holds nothing but definitions.
#pragma once

#define QUORVANE_ART_ICON48 201
#define QUORVANE_ART_ICON32 202
#define QUORVANE_ART_BANNER 203
#define QUORVANE_ART_PORTRAIT_DRAWING 204
#define QUORVANE_ART_PORTRAIT_PHOTO 205
