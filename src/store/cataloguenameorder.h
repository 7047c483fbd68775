#pragma once

#include <QtGlobal>

#include <functional>
#include <vector>

namespace vorleth {

// A listed record's name without its extension, as the listing orders it.
struct ListedName {
    const char16_t* text = nullptr;
    quint32 length = 0;
    // Whether case folding leaves every unit of the name as it is (most names of a library: kana,
    // kanji, digits, lower-case letters); then the name is its own folded text.
    bool foldsToItself = false;
};

// Whether case folding leaves the unit as it is; false for either half of a surrogate pair.
bool unitFoldsToItself(char16_t unit);

// Whether every unit of text folds to itself.
bool foldsToItself(const char16_t* text, qsizetype length);

// The indices 0..count-1 of the names nameAt gives, in the listing's order: ascending by the
// names followed by ".igo" with letter case ignored (as QString::toCaseFolded folds them), and
// names equal but for case by the names themselves. Names equal in every unit come in no
// particular order. nameAt is asked again and again for the same name and must stay cheap.
std::vector<quint32> listingOrder(quint32 count, const std::function<ListedName(quint32)>& nameAt);

} // namespace vorleth
