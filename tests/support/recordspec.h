#pragma once

#include <QString>

namespace vorleth::test {

// The fields a record's file name carries, as a test library spells them.
struct RecordSpec {
    QString gameName;
    QString white;
    QString black;
    QString result;
    QString recordDate;
    int entryCount = 0;
    QString time; // hmmss without a leading zero in the hour
    QString referenceDate;
    QString komi = QStringLiteral("6.5");
};

// The record's file name as the program saves it, without the extension.
inline QString recordName(const RecordSpec& r) {
    return QStringLiteral("対局名（%1）白番（%2）黒番（%3）勝敗（%4）記録日（%5）手数（%6）"
                          "時間（%7）参照（%8）コミ（%9）")
        .arg(r.gameName, r.white, r.black, r.result, r.recordDate, QString::number(r.entryCount),
             r.time, r.referenceDate, r.komi);
}

} // namespace vorleth::test
