// SPDX-License-Identifier: MIT
#include "LayoutJson.h"

#include "LayoutText.h"
#include "codeentry/CodeDecoder.h"
#include "ConfigFile.h"
#include "KeyRecord.h"
#include "LabelCodePage.h"
#include "LabelCodec.h"
#include "ProblemText.h"
#include "profile/ProgramProfile.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace LayoutJson {

namespace {

// --- Writing -------------------------------------------------------------------------------

QString quoted(const QString &text)
{
    QString q;
    q.reserve(text.size() + 2);
    q += u'"';
    for (QChar c : text) {
        if (c == u'"' || c == u'\\')
            q += u'\\', q += c;
        else if (c.unicode() < 0x20)
            q += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
        else
            q += c;
    }
    q += u'"';
    return q;
}

QString stringArray(const QStringList &items)
{
    QStringList q;
    for (const QString &s : items)
        q << quoted(s);
    return u'[' + q.join(QStringLiteral(", ")) + u']';
}

QString labelObject(const QByteArray &caption, const LabelCodec &codec)
{
    const QString text = codec.decode(caption);
    QString o = QStringLiteral("{\"text\": %1, \"codePage\": %2")
                    .arg(quoted(text), quoted(QString::fromLatin1(codec.encoding())));
    // Bytes that the code page has no character for do not come back from the text.
    if (codec.encode(text) != caption)
        o += QStringLiteral(", \"bytes\": %1").arg(quoted(hexBytes(caption)));
    return o + u'}';
}

QString keyLine(const KeyCell &k, int index, const ProgramProfile &profile, const LabelCodec &codec)
{
    const DecodedCodes decoded = decodeCodes(k.usedCodes());
    QStringList groups, strokes;
    for (const DecodedCodes::Group &g : decoded.groups) {
        groups << hexBytes(g.bytes);
        strokes << strokeName(g.stroke);
    }
    if (!decoded.whole()) {
        groups << hexBytes(decoded.rest);
        strokes << QStringLiteral("(not a whole group)");
    }
    // Appended piece by piece: a long arg() chain rescans the whole line for every value.
    const auto field = [](QString &line, const char *name, const QString &value) {
        line += u'"' + QLatin1String(name) + QLatin1String("\": ") + value;
    };
    QString line;
    line.reserve(256);
    line += u'{';
    field(line, "index", QString::number(index));
    line += QLatin1String(", ");
    field(line, "column", QString::number(profile.column(index)));
    line += QLatin1String(", ");
    field(line, "row", QString::number(profile.row(index)));
    line += QLatin1String(", ");
    field(line, "label", labelObject(k.Caption, codec));
    line += QLatin1String(", ");
    field(line, "color", quoted(LayoutText::colorText(k.Color)));
    line += QLatin1String(", ");
    field(line, "colSpan", QString::number(k.ColSpan));
    line += QLatin1String(", ");
    field(line, "rowSpan", QString::number(k.RowSpan));
    line += QLatin1String(", ");
    field(line, "visible", k.Visible ? QStringLiteral("true") : QStringLiteral("false"));
    line += QLatin1String(", ");
    field(line, "codes", stringArray(groups));
    line += QLatin1String(", ");
    field(line, "strokes", stringArray(strokes));
    // Trailing zeros are implied.
    const QByteArrayView spare = LayoutText::spareCodes(k);
    if (!spare.isEmpty()) {
        line += QLatin1String(", ");
        field(line, "spareCodes", quoted(hexBytes(spare)));
    }
    return line + u'}';
}

// --- Reading -------------------------------------------------------------------------------

// Fails with the path of the field at fault.
struct Failure
{
    QString message;
};

[[noreturn]] void fail(const QString &path, const QString &what)
{
    throw Failure{path + QStringLiteral(": ") + what};
}

QJsonValue required(const QJsonObject &o, const QString &path, const char *name)
{
    const QJsonValue v = o.value(QLatin1String(name));
    if (v.isUndefined())
        fail(path, QStringLiteral("\"%1\" is missing").arg(QLatin1String(name)));
    return v;
}

QString stringAt(const QJsonValue &v, const QString &path)
{
    if (!v.isString())
        fail(path, QStringLiteral("wants a string"));
    return v.toString();
}

int intAt(const QJsonValue &v, const QString &path, int minimum, int maximum)
{
    const double d = v.toDouble(-1.5);
    // The range first: converting a double outside int's range is undefined.
    if (!v.isDouble() || !(d >= minimum && d <= maximum) || d != double(int(d)))
        fail(path, QStringLiteral("wants a whole number from %1 to %2").arg(minimum).arg(maximum));
    return int(d);
}

QByteArray hexAt(const QString &text, const QString &path)
{
    QByteArray bytes;
    for (const QString &token : text.split(u' ', Qt::SkipEmptyParts)) {
        // Only these: QChar::isDigit() takes other scripts' digits too, which read as 0.
        const auto hex = [](QChar c) {
            return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        };
        if (token.size() != 2 || !hex(token[0]) || !hex(token[1]))
            fail(path,
                 QStringLiteral("\"%1\" is not a byte as two hex digits, such as 1C").arg(token));
        bytes += char(token.toUInt(nullptr, 16));
    }
    return bytes;
}

const LabelCodec &codecFor(const QString &name, const QString &path)
{
    static QHash<QString, LabelCodec> codecs;
    auto it = codecs.find(name);
    if (it == codecs.end()) {
        LabelCodec codec(name.toLatin1());
        if (!codec.isAvailable())
            fail(path, QStringLiteral("code page \"%1\" is not known here").arg(name));
        it = codecs.insert(name, codec);
    }
    return *it;
}

QByteArray readLabel(const QJsonValue &v, const QString &path)
{
    if (!v.isObject())
        fail(path, QStringLiteral("wants an object with \"text\" and \"codePage\""));
    const QJsonObject o = v.toObject();
    const QString text = stringAt(required(o, path, "text"), path + QStringLiteral(".text"));
    const QJsonValue page = o.value(QLatin1String("codePage"));
    const LabelCodec &codec = page.isUndefined()
                                  ? LabelCodePage::current()
                                  : codecFor(stringAt(page, path + QStringLiteral(".codePage")),
                                             path + QStringLiteral(".codePage"));
    QByteArray bytes;
    QString at = path + QStringLiteral(".text");
    const QJsonValue raw = o.value(QLatin1String("bytes"));
    // The bytes count while the text still reads as they do; a text edited since counts itself.
    if (!raw.isUndefined() && codec.decode(hexAt(stringAt(raw, path + QStringLiteral(".bytes")),
                                                 path + QStringLiteral(".bytes"))) == text) {
        at = path + QStringLiteral(".bytes");
        bytes = hexAt(raw.toString(), at);
    } else {
        if (!codec.canEncode(text))
            fail(at, QStringLiteral("\"%1\" has characters that code page %2 cannot hold")
                         .arg(text, QString::fromLatin1(codec.encoding())));
        bytes = codec.encode(text);
    }
    if (bytes.contains('\0'))
        fail(at, QStringLiteral("a label cannot hold a zero byte: the file ends it there"));
    if (bytes.size() > KeyRecord::LabelSize)
        fail(at, QStringLiteral("%1 bytes, over the label's %2")
                     .arg(bytes.size())
                     .arg(KeyRecord::LabelSize));
    return bytes;
}

void readCodes(const QJsonObject &o, const QString &path, KeyCell &k)
{
    const QJsonValue v = required(o, path, "codes");
    if (!v.isArray())
        fail(path + QStringLiteral(".codes"), QStringLiteral("wants a list of hex groups"));
    QByteArray codes;
    const QJsonArray groups = v.toArray();
    for (int g = 0; g < groups.size(); ++g) {
        const QString at = path + QStringLiteral(".codes[%1]").arg(g);
        codes += hexAt(stringAt(groups[g], at), at);
    }
    if (codes.size() > KeyCell::MaxCodes)
        fail(path + QStringLiteral(".codes"),
             QStringLiteral("%1 codes, over %2").arg(codes.size()).arg(KeyCell::MaxCodes));
    QByteArray spare;
    if (const QJsonValue s = o.value(QLatin1String("spareCodes")); !s.isUndefined()) {
        const QString at = path + QStringLiteral(".spareCodes");
        spare = hexAt(stringAt(s, at), at);
        if (codes.size() + spare.size() > KeyCell::CodeCapacity)
            fail(at, QStringLiteral("%1 bytes after %2 codes, over the code area's %3")
                         .arg(spare.size())
                         .arg(codes.size())
                         .arg(KeyCell::CodeCapacity));
    }
    const QByteArray area = codes + spare;
    std::copy(area.begin(), area.end(), k.Codes.begin());
    k.CodeCount = int(codes.size());
}

// A key's content: its label, colour and codes.
void readContent(const QJsonObject &o, const QString &path, KeyCell &k)
{
    k.Caption = readLabel(required(o, path, "label"), path + QStringLiteral(".label"));
    const QString color = stringAt(required(o, path, "color"), path + QStringLiteral(".color"));
    const std::optional<quint32> value = LayoutText::parseColor(color);
    if (!value)
        fail(path + QStringLiteral(".color"), LayoutText::notAColor(color));
    k.Color = *value;
    readCodes(o, path, k);
}

KeyCell readKey(const QJsonValue &v, int index, const ProgramProfile &profile)
{
    const QString path = QStringLiteral("keys[%1]").arg(index);
    if (!v.isObject())
        fail(path, QStringLiteral("wants an object"));
    const QJsonObject o = v.toObject();
    // Where a key stands follows from its place in the list; these only have to agree.
    const auto agrees = [&](const char *name, int expected) {
        const QJsonValue given = o.value(QLatin1String(name));
        if (!given.isUndefined() && given.toDouble(-1) != expected)
            fail(path + u'.' + QLatin1String(name),
                 QStringLiteral("%1 here must be %2: keys are listed in index order")
                     .arg(QLatin1String(name))
                     .arg(expected));
    };
    agrees("index", index);
    agrees("column", profile.column(index));
    agrees("row", profile.row(index));

    KeyCell k;
    readContent(o, path, k);
    // The file keeps each span in one byte; whether the grid can take it is checked below.
    k.ColSpan = intAt(required(o, path, "colSpan"), path + QStringLiteral(".colSpan"), 0, 255);
    k.RowSpan = intAt(required(o, path, "rowSpan"), path + QStringLiteral(".rowSpan"), 0, 255);
    const QJsonValue visible = required(o, path, "visible");
    if (!visible.isBool())
        fail(path + QStringLiteral(".visible"), QStringLiteral("wants true or false"));
    k.Visible = visible.toBool();
    return k;
}

QString problemPath(const ConfigProblem &p)
{
    const QString key = QStringLiteral("keys[%1]").arg(p.key);
    switch (p.field) {
    case ConfigProblem::Field::ColSpan:
        return key + QStringLiteral(".colSpan");
    case ConfigProblem::Field::RowSpan:
        return key + QStringLiteral(".rowSpan");
    case ConfigProblem::Field::CodeCount:
    case ConfigProblem::Field::Codes:
        return key + QStringLiteral(".codes");
    case ConfigProblem::Field::None:
        break;
    }
    return key;
}

const ProgramProfile &readHeader(const QJsonObject &root)
{
    const QString root_ = QStringLiteral("(top)");
    if (stringAt(required(root, root_, "format"), QStringLiteral("format")) !=
        QLatin1String(Format))
        fail(QStringLiteral("format"), QStringLiteral("wants \"%1\"").arg(QLatin1String(Format)));
    const QJsonValue version = required(root, root_, "version");
    const int v = intAt(version, QStringLiteral("version"), 1, 1 << 30);
    if (v > Version)
        fail(QStringLiteral("version"),
             QStringLiteral("%1 is newer than the version %2 this tvrtool reads")
                 .arg(v)
                 .arg(Version));
    const QString program = stringAt(required(root, root_, "program"), QStringLiteral("program"));
    QStringList names;
    for (const ProgramProfile *p : ProgramProfile::all()) {
        if (program == p->name)
            return *p;
        names << u'"' + p->name + u'"';
    }
    fail(QStringLiteral("program"),
         QStringLiteral("\"%1\" is neither %2").arg(program, names.join(QStringLiteral(" nor "))));
}

} // namespace

QByteArray write(const QList<KeyCell> &cells, const ProgramProfile &profile,
                 const LabelCodec &codec)
{
    QStringList keys;
    keys.reserve(cells.size());
    for (int i = 0; i < cells.size(); ++i)
        keys << QStringLiteral("    ") + keyLine(cells[i], i, profile, codec);
    return (QStringLiteral("{\n  \"format\": ") + quoted(QLatin1String(Format)) +
            QStringLiteral(",\n  \"version\": ") + QString::number(Version) +
            QStringLiteral(",\n  \"program\": ") + quoted(profile.name) +
            QStringLiteral(",\n  \"keys\": [\n") + keys.join(QStringLiteral(",\n")) +
            QStringLiteral("\n  ]\n}\n"))
        .toUtf8();
}

QString keyObject(const KeyCell &key, int index, const ProgramProfile &profile,
                  const LabelCodec &codec)
{
    return keyLine(key, index, profile, codec);
}

std::optional<KeyObject> readKeyObject(const QJsonValue &v, const QString &path,
                                       const ProgramProfile &profile, QString *error)
{
    try {
        if (!v.isObject())
            fail(path, QStringLiteral("wants an object"));
        const QJsonObject o = v.toObject();
        KeyObject key;
        key.index = intAt(required(o, path, "index"), path + QStringLiteral(".index"), 0,
                          profile.cellCount - 1);
        key.cell.ResetKey({});
        readContent(o, path, key.cell);
        return key;
    } catch (const Failure &f) {
        *error = f.message;
        return std::nullopt;
    }
}

ReadResult read(const QByteArray &json)
{
    ReadResult r;
    if (json.size() > MaxDocumentSize) {
        r.error = QStringLiteral("more than %1 MB, far more than a layout's JSON (about 20 KB)")
                      .arg(MaxDocumentSize / (1024 * 1024));
        return r;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        r.error = QStringLiteral("not JSON at byte %1: %2")
                      .arg(parseError.offset)
                      .arg(parseError.errorString());
        return r;
    }
    if (!doc.isObject()) {
        r.error = QStringLiteral("(top): wants an object");
        return r;
    }
    try {
        const QJsonObject root = doc.object();
        const ProgramProfile &profile = readHeader(root);
        const QJsonValue keys = required(root, QStringLiteral("(top)"), "keys");
        if (!keys.isArray() || keys.toArray().size() != profile.cellCount)
            fail(QStringLiteral("keys"),
                 QStringLiteral("wants a list of all %1 keys of a %2 layout")
                     .arg(profile.cellCount)
                     .arg(profile.name));
        const QJsonArray list = keys.toArray();
        for (int i = 0; i < list.size(); ++i)
            r.cells.append(readKey(list[i], i, profile));
        // The file these keys make, judged as the programs judge a file they load.
        ConfigFile::Verdict verdict =
            ConfigFile::judge(ConfigFile::serialize(r.cells, profile), profile);
        if (const ConfigProblem *refused = verdict.refusal())
            fail(problemPath(*refused), ProblemText::keyProblem(*refused, profile));
        for (const ConfigProblem &p : verdict.problems)
            r.warnings << problemPath(p) + QStringLiteral(": ") + ProblemText::keyProblem(p, profile);
        r.cells = std::move(verdict.cells);
        r.profile = &profile;
    } catch (const Failure &f) {
        r.cells.clear();
        r.error = f.message;
    }
    return r;
}

} // namespace LayoutJson
