#include "import/sgf.h"

#include "import/sgfencoding.h"

#include <optional>

namespace vorleth {

const SgfProperty* SgfNode::property(QStringView id) const {
    for (const SgfProperty& p : properties) {
        if (p.id == id)
            return &p;
    }
    return nullptr;
}

namespace {

// Stage 1: a hand-written scanner over the decoded text. Variations are linked by index with
// an explicit stack of open trees.
class Parser {
public:
    explicit Parser(QStringView text) : m_text(text) {}

    Result<SgfTrees> run() {
        Result<SgfTrees> result;
        std::optional<QString> error = parse();
        if (error) {
            result.collection = {};
            result.fail(*error);
        } else if (m_collection.roots.isEmpty()) {
            result.fail(QStringLiteral("no SGF game tree found"));
        } else {
            result.collection = std::move(m_collection);
        }
        result.warnings = m_warnings;
        return result;
    }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
    SgfCollection m_collection;
    QStringList m_warnings;

    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return m_text.at(m_pos); }

    QString at(int line) const { return QStringLiteral(" at line %1").arg(line); }

    // Consumes one line end ("\n", "\r", "\r\n" or "\n\r") at m_pos, if there is one.
    bool consumeLineEnd() {
        if (atEnd())
            return false;
        const QChar c = peek();
        if (c != u'\n' && c != u'\r')
            return false;
        ++m_pos;
        if (!atEnd() && (peek() == u'\n' || peek() == u'\r') && peek() != c)
            ++m_pos;
        ++m_line;
        return true;
    }

    void skipSpace() {
        while (!atEnd()) {
            if (consumeLineEnd())
                continue;
            if (!peek().isSpace())
                return;
            ++m_pos;
        }
    }

    // True when "(" at m_pos starts a game tree, i.e. the next character after blanks is ";".
    bool treeStartsHere() const {
        qsizetype p = m_pos + 1;
        while (p < m_text.size() && m_text.at(p).isSpace())
            ++p;
        return p < m_text.size() && m_text.at(p) == u';';
    }

    std::optional<QString> parse() {
        QVector<int> open; // per open "(": the node the tree hangs from (-1 for a root)
        int current = -1;
        bool afterOpen = false;      // "(" read, its first ";" not yet
        bool afterVariation = false; // a variation closed inside the current tree
        bool inNode = false;
        bool junkNoted = false;

        while (true) {
            skipSpace();
            if (atEnd())
                break;
            const QChar c = peek();
            if (open.isEmpty()) {
                if (c == u'(' && treeStartsHere()) {
                    open.append(-1);
                    current = -1;
                    afterOpen = true;
                    afterVariation = false;
                    inNode = false;
                } else if (!m_collection.roots.isEmpty() && !junkNoted) {
                    m_warnings << QStringLiteral("text after a game tree ignored") + at(m_line);
                    junkNoted = true;
                }
                ++m_pos;
                continue;
            }
            if (c == u'(') {
                if (afterOpen)
                    return QStringLiteral("game tree without a node") + at(m_line);
                open.append(current);
                afterOpen = true;
                afterVariation = false;
                inNode = false;
                ++m_pos;
            } else if (c == u')') {
                if (afterOpen)
                    return QStringLiteral("game tree without a node") + at(m_line);
                current = open.takeLast();
                afterVariation = !open.isEmpty();
                inNode = false;
                ++m_pos;
            } else if (c == u';') {
                if (afterVariation)
                    return QStringLiteral("node after a variation") + at(m_line);
                SgfNode node;
                node.parent = current;
                node.line = m_line;
                const int index = static_cast<int>(m_collection.nodes.size());
                m_collection.nodes.append(std::move(node));
                if (current < 0)
                    m_collection.roots.append(index);
                else
                    m_collection.nodes[current].children.append(index);
                current = index;
                afterOpen = false;
                inNode = true;
                ++m_pos;
            } else if (isLetter(c)) {
                if (!inNode)
                    return QStringLiteral("property outside a node") + at(m_line);
                if (auto error = readProperty(m_collection.nodes[current]))
                    return error;
            } else {
                return QStringLiteral("unexpected character '%1'").arg(c) + at(m_line);
            }
        }
        if (!open.isEmpty())
            return QStringLiteral("game tree not closed: ')' missing at the end of the file");
        return std::nullopt;
    }

    static bool isLetter(QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

    std::optional<QString> readProperty(SgfNode& node) {
        const int line = m_line;
        QString id;
        QString written;
        while (!atEnd() && isLetter(peek())) {
            written.append(peek());
            if (peek().isUpper())
                id.append(peek());
            ++m_pos;
        }
        skipSpace();
        if (atEnd() || peek() != u'[')
            return QStringLiteral("property %1 without a value").arg(written) + at(line);
        QStringList values;
        while (!atEnd() && peek() == u'[') {
            ++m_pos;
            auto value = readValue();
            if (!value)
                return QStringLiteral("value of %1 not closed, opened").arg(written) + at(line);
            values.append(*value);
            skipSpace();
        }
        if (id.isEmpty()) {
            m_warnings << QStringLiteral("property %1 ignored").arg(written) + at(line);
            return std::nullopt;
        }
        for (SgfProperty& p : node.properties) {
            if (p.id == id) {
                m_warnings << QStringLiteral("property %1 repeated in one node").arg(id) + at(line);
                p.values.append(values);
                return std::nullopt;
            }
        }
        node.properties.append({id, values});
        return std::nullopt;
    }

    // After "[": up to the closing "]". A backslash takes the next character literally, and
    // together with a line end it is a soft line break, which disappears.
    std::optional<QString> readValue() {
        QString value;
        while (!atEnd()) {
            const QChar c = peek();
            if (c == u']') {
                ++m_pos;
                return value;
            }
            if (c == u'\\') {
                ++m_pos;
                if (atEnd())
                    break;
                if (!consumeLineEnd()) {
                    value.append(peek());
                    ++m_pos;
                }
                continue;
            }
            if (consumeLineEnd()) {
                value.append(u'\n');
                continue;
            }
            value.append(c);
            ++m_pos;
        }
        return std::nullopt;
    }
};

// Stage 2 helpers.

// Game information is simple text: every blank, line break or control character counts as
// a blank, and runs of them fold to one.
QString simpleText(const QString& value) {
    // Line breaks, tabs and runs of blanks read as one blank. An ideographic space is part of
    // the text: Japanese names are written with it.
    QString text;
    text.reserve(value.size());
    bool blank = false;
    for (const QChar c : value) {
        if (c == u' ' || c.category() == QChar::Other_Control) {
            blank = true;
            continue;
        }
        if (blank && !text.isEmpty())
            text += u' ';
        blank = false;
        text += c;
    }
    return text;
}

// a..z are 1..26 and A..Z 27..52; 0 for anything else.
int coordinate(QChar c) {
    if (c >= u'a' && c <= u'z')
        return c.unicode() - u'a' + 1;
    if (c >= u'A' && c <= u'Z')
        return c.unicode() - u'A' + 27;
    return 0;
}

// Blanks around the letters are dropped: real files carry values such as "oq ", which GNU Go
// and the other common readers accept.
std::optional<Point> pointFromValue(QStringView value, int columns, int rows) {
    value = value.trimmed();
    if (value.size() != 2)
        return std::nullopt;
    const Point p{coordinate(value.at(0)), coordinate(value.at(1))};
    if (p.column < 1 || p.column > columns || p.row < 1 || p.row > rows)
        return std::nullopt;
    return p;
}

// A list of points: single points, or rectangles "ab:cd" between two corners.
std::optional<QString> appendPoints(const SgfProperty& property, int columns, int rows,
                                    QVector<Point>& points, QStringList& warnings, int line) {
    for (const QString& value : property.values) {
        if (value.trimmed().isEmpty()) {
            warnings
                << QStringLiteral("empty %1 value ignored at line %2").arg(property.id).arg(line);
            continue;
        }
        const qsizetype colon = value.indexOf(u':');
        const auto first = pointFromValue(QStringView(value).left(colon < 0 ? value.size() : colon),
                                          columns, rows);
        const auto last =
            colon < 0 ? first : pointFromValue(QStringView(value).mid(colon + 1), columns, rows);
        if (!first || !last)
            return QStringLiteral("invalid point %1[%2] at line %3")
                .arg(property.id, value)
                .arg(line);
        for (int column = std::min(first->column, last->column);
             column <= std::max(first->column, last->column); ++column) {
            for (int row = std::min(first->row, last->row); row <= std::max(first->row, last->row);
                 ++row)
                points.append({column, row});
        }
    }
    return std::nullopt;
}

std::optional<int> wholeNumber(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

QString firstValue(const SgfNode& node, QStringView id) {
    const SgfProperty* p = node.property(id);
    return p && !p->values.isEmpty() ? p->values.first() : QString();
}

// FF, GM and SZ of the game tree's first node. Nothing, or why the game cannot be read.
std::optional<QString> readRootProperties(const SgfNode& first, SgfGame& game) {
    if (first.property(u"FF")) {
        const auto ff = wholeNumber(firstValue(first, u"FF"));
        if (ff && *ff >= 1 && *ff <= 4)
            game.format = *ff;
        else {
            game.format = 4;
            game.warnings << QStringLiteral("unknown format FF[%1], read as FF[4]")
                                 .arg(firstValue(first, u"FF"));
        }
    }
    if (first.property(u"GM")) {
        const QString gm = firstValue(first, u"GM");
        if (wholeNumber(gm) != 1)
            return QStringLiteral("not a game of Go (GM[%1])").arg(gm);
    }
    if (first.property(u"SZ")) {
        const QString sz = firstValue(first, u"SZ");
        const QStringList parts = sz.split(u':');
        const auto columns = wholeNumber(parts.value(0));
        const auto rows = parts.size() == 2 ? wholeNumber(parts.at(1)) : columns;
        if (parts.size() > 2 || !columns || !rows || *columns < 1 || *columns > 52 || *rows < 1 ||
            *rows > 52)
            return QStringLiteral("invalid board size SZ[%1]").arg(sz);
        game.columns = *columns;
        game.rows = *rows;
    }
    return std::nullopt;
}

// The set-up stones (AB, AW, AE) of one node of the main line.
std::optional<QString> readSetup(const SgfNode& node, SgfGame& game) {
    SgfSetup setup;
    setup.afterMoves = static_cast<int>(game.moves.size());
    const std::pair<const char16_t*, QVector<Point>*> setupLists[] = {
        {u"AB", &setup.black}, {u"AW", &setup.white}, {u"AE", &setup.empty}};
    bool hasSetup = false;
    for (const auto& [id, points] : setupLists) {
        if (const SgfProperty* p = node.property(id)) {
            hasSetup = true;
            if (auto error =
                    appendPoints(*p, game.columns, game.rows, *points, game.warnings, node.line))
                return error;
        }
    }
    if (hasSetup)
        game.setups.append(setup);
    return std::nullopt;
}

// The move (B or W) of one node of the main line, if it has one.
std::optional<QString> readMove(const SgfNode& node, SgfGame& game) {
    const SgfProperty* b = node.property(u"B");
    const SgfProperty* w = node.property(u"W");
    if (b && w)
        return QStringLiteral("node with a black and a white move at line %1").arg(node.line);
    const SgfProperty* move = b ? b : w;
    if (!move)
        return std::nullopt;
    const int number = static_cast<int>(game.moves.size()) + 1;
    if (move->values.size() != 1)
        return QStringLiteral("move %1 has several points at line %2").arg(number).arg(node.line);
    const QString& value = move->values.first();
    const QString letters = value.trimmed();
    SgfMove m;
    m.colour = b ? black : white;
    if (letters.isEmpty() ||
        (letters == QLatin1String("tt") && game.columns <= 19 && game.rows <= 19)) {
        m.pass = true;
    } else if (auto p = pointFromValue(value, game.columns, game.rows)) {
        m.point = *p;
    } else {
        return QStringLiteral("move %1 has the invalid point %2[%3] at line %4")
            .arg(number)
            .arg(move->id, value)
            .arg(node.line);
    }
    game.moves.append(m);
    return std::nullopt;
}

} // namespace

Result<SgfTrees> parseSgfText(QStringView text) {
    return Parser(text).run();
}

Result<SgfGame> sgfGame(const SgfCollection& collection, int root) {
    Result<SgfGame> read;
    SgfGame& game = read.value();
    auto fail = [](const QString& error) { return Result<SgfGame>::failure(error); };

    if (auto error = readRootProperties(collection.nodes.at(root), game))
        return fail(*error);

    // Game information may sit in any node of the main line; the first occurrence counts.
    struct Info {
        const char16_t* id;
        QString* field;
        bool found = false;
    };
    Info info[] = {{u"GN", &game.gameName},    {u"EV", &game.event}, {u"PW", &game.whitePlayer},
                   {u"PB", &game.blackPlayer}, {u"KM", &game.komi},  {u"RE", &game.result}};
    bool handicapFound = false;
    int droppedVariations = 0;

    for (int index = root; index >= 0;) {
        const SgfNode& node = collection.nodes.at(index);
        for (Info& i : info) {
            if (!i.found && node.property(i.id)) {
                *i.field = simpleText(firstValue(node, i.id));
                i.found = true;
            }
        }
        if (!handicapFound && node.property(u"HA")) {
            handicapFound = true;
            const auto ha = wholeNumber(firstValue(node, u"HA"));
            if (ha)
                game.handicap = *ha;
            else
                game.warnings << QStringLiteral("HA[%1] is not a number, ignored")
                                     .arg(firstValue(node, u"HA"));
        }
        if (auto error = readSetup(node, game))
            return fail(*error);
        if (auto error = readMove(node, game))
            return fail(*error);

        droppedVariations += std::max<int>(0, static_cast<int>(node.children.size()) - 1);
        index = node.children.isEmpty() ? -1 : node.children.first();
    }
    if (droppedVariations > 0)
        game.warnings << QStringLiteral("%1 variation(s) beside the main line ignored")
                             .arg(droppedVariations);
    return read;
}

Result<SgfFile> readSgfBytes(const QByteArray& bytes) {
    Result<SgfFile> file;
    Result<SgfText> text = decodeSgfBytes(bytes);
    file.warnings = text.warnings;
    file.encoding = text.encoding;
    if (!text.ok) {
        file.fail(text.error());
        file.encodingRefused = true;
        return file;
    }
    Result<SgfTrees> parse = parseSgfText(text.text);
    if (!parse.ok)
        file.fail(parse.error());
    file.warnings << parse.warnings;
    file.collection = std::move(parse.collection);
    return file;
}

} // namespace vorleth
