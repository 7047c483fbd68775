// The listing's order of record names, against a plain sort of the names folded by Qt: on
// libraries whose names share long beginnings, so that names are told apart far into them.
#include "store/cataloguenameorder.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

using namespace vorleth;

namespace {

std::vector<QString> inListingOrder(const std::vector<QString>& names) {
    const std::vector<quint32> order =
        listingOrder(static_cast<quint32>(names.size()), [&](quint32 i) {
            const QString& name = names[i];
            const auto* text = reinterpret_cast<const char16_t*>(name.utf16());
            return ListedName{text, static_cast<quint32>(name.size()),
                              foldsToItself(text, name.size())};
        });
    std::vector<QString> listed;
    for (const quint32 i : order)
        listed.push_back(names.at(i));
    return listed;
}

std::vector<QString> sortedPlainly(std::vector<QString> names) {
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = (a + ".igo").toCaseFolded().compare((b + ".igo").toCaseFolded());
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

} // namespace

// A fold that changed a character's length in UTF-16 would shift every unit after it; the
// listing reads a unit's fold where it stands.
TEST(ListingOrder, NoFoldCrossesIntoOrOutOfTheBasicPlane) {
    for (char32_t code = 0; code <= 0x10FFFF; ++code) {
        const bool beyond = QChar::requiresSurrogates(code);
        ASSERT_EQ(QChar::requiresSurrogates(QChar::toCaseFolded(code)), beyond) << int(code);
    }
}

TEST(ListingOrder, NamesToldApartAnywhereInTheirLength) {
    // Pieces that fold alike or nearly alike, that end where the extension's dot competes, and
    // pairs beyond the Basic Multilingual Plane that a four-unit step may cut in two. (A half
    // of a pair on its own stays as it is; Qt folds it now so, now to U+FFFD.)
    const QStringList pieces = {"a", "A",  "b",  "B", "-",  ".",      "ß",  "ss", "SS",
                                "Ω", "ω",  "𐐀",  "𐐨", "𠮷", "\uE000", "ｇ", "Ｇ", "_",
                                "[", "対", "局", "0", "9",  "（",     "）"};
    // Beginnings as long as a library's, ending at each unit of a four-unit step.
    const QStringList beginnings = {
        "対局名（",           "対局名（春季大会",     "対局名（春季大会1",
        "対局名（春季大会12", "対局名（春季大会12）", "対局名（春季大会12）白番（Yamada"};
    std::mt19937 random(20071105);
    for (const int count : {3, 17, 200, 3000}) {
        std::vector<QString> names;
        for (int i = 0; i < count; ++i) {
            QString name = beginnings[int(random() % beginnings.size())];
            const int length = int(random() % 6);
            for (int j = 0; j < length; ++j)
                name += pieces[int(random() % pieces.size())];
            names.push_back(name);
        }
        SCOPED_TRACE(count);
        const std::vector<QString> listed = inListingOrder(names);
        const std::vector<QString> expected = sortedPlainly(names);
        ASSERT_EQ(listed.size(), expected.size());
        for (size_t i = 0; i < listed.size(); ++i)
            ASSERT_EQ(listed[i], expected[i]) << "at " << i;
    }
}

TEST(ListingOrder, EmptyAndSingleLibraries) {
    EXPECT_TRUE(inListingOrder({}).empty());
    EXPECT_EQ(inListingOrder({"棋譜"}), std::vector<QString>{"棋譜"});
}
