#pragma once

namespace vorleth {

// What the two choosers keep for the whole run: the number of leading characters that form a
// group. 0 until a chooser is first opened, which makes it 2.
struct ChooserState {
    int gameNamePrefixLength = 0;
    int playerPrefixLength = 0;
};

} // namespace vorleth
