#pragma once

#include <string>
#include <vector>

#include "app/varnel_profile.h"
#include "bitmaps/bitmap_catalog.h"
#include "bitmaps/picture_keeper.h"

// Each sign width and colour mode has a catalog of its own (its own picture data file). A
// workspace of another sign puts that sign's catalog in effect; the catalog it replaces, when the
// user changed it, stays in memory and is written with the others at exit, so images drawn for
// one sign are never lost by opening a workspace of another one.
namespace app {

struct AppState;

// A catalog not in effect that holds changes still to be written.
struct KeptCatalog {
  varnel_profile::SignSettings sign;
  bitmaps::CBitmapCatalog catalog;
  bitmaps::PictureKeeper pictures;
};

// Puts the catalog of `sign` in effect (state->catalog, state->pictures, state->sign) when `sign`
// differs from state->sign: a kept catalog of `sign` comes back from memory, otherwise its picture
// data file is read. Nothing happens for the settings in effect (the catalog in memory may hold
// drawings not yet written) or for a width no picture data file can carry. Returns the text to
// show when the picture data file did not load, empty otherwise.
std::string useSignCatalog(AppState* state, const varnel_profile::SignSettings& sign);

// At exit: writes every kept catalog to its own picture data file (a file that did not load is
// moved aside first, as for the catalog in effect). Returns the failure texts, empty when none.
std::vector<std::string> saveKeptCatalogs(AppState* state);

}  // namespace app
