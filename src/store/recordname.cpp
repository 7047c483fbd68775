#include "store/recordname.h"

namespace vorleth {

QString cleanFileName(const QString& text) {
    QString cleaned;
    cleaned.reserve(text.size());
    for (const QChar c : text) {
        if (c != u' ' && c != u'/' && c != u':' && c != u'-')
            cleaned.append(c);
    }
    return cleaned;
}

QString extractField(const QString& name, const QString& key) {
    const qsizetype start = name.indexOf(key);
    if (start < 0)
        return QString();
    const qsizetype from = start + key.size();
    const qsizetype close = name.indexOf(u'）', from);
    QString value = name.mid(from, close < 0 ? -1 : close - from);
    value.replace(u'＝', u'\u3000');
    return value;
}

} // namespace vorleth
