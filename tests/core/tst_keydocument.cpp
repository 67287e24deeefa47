// SPDX-License-Identifier: MIT
#include "keymodel/KeyClip.h"
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "keymodel/KeySelection.h"
#include "keymodel/LabelCodec.h"
#include "profile/ProgramProfile.h"

#include <QAction>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

// The layout's history without a window: every edit undone and redone, the changed flag that
// follows it, and the fresh history of New and Load.
class TestKeyDocument : public QObject
{
    Q_OBJECT
private slots:
    void undoRedo_data();
    void undoRedo();
    void savedState_data();
    void savedState();
    void freshHistory_data();
    void freshHistory();
    void endMarkIsAnnouncedButNoEdit();
    void selection_data();
    void selection();
    void clipboard_data();
    void clipboard();
};

namespace {

// The layout as a file left it: cell 3 "Tea" with codes and stale bytes after them, cell 21 a
// 2 x 2 key over 22, 28 and 29.
QList<KeyCell> startCells()
{
    const ProgramProfile &p = ProgramProfile::tavrin();
    QList<KeyCell> cells(p.cellCount);
    for (int i = 0; i < p.cellCount; ++i)
        cells[i].ResetKey(QByteArray::number(i + 1));
    cells[3].Caption = "Tea";
    cells[3].CodeCount = 3;
    cells[3].Codes = {0x1C, 0xF0, 0x1C, 0xF7, 0x55};
    cells[21].ColSpan = 2;
    cells[21].RowSpan = 2;
    for (int covered : {22, 28, 29})
        cells[covered].Visible = false;
    return cells;
}

QByteArray hex(const QString &text)
{
    return QByteArray::fromHex(text.toLatin1());
}

QList<int> indices(const QString &list)
{
    QList<int> keys;
    for (const QString &k : list.split(u',', Qt::SkipEmptyParts))
        keys << k.toInt();
    return keys;
}

// One edit as a word and its numbers: "label 3 Milk", "color 3 0x0000FF00",
// "codes 3 12 1C F0", "merge 14 21", "split 21", and on several keys "colors 0,1 0000FF00",
// "clear 3,21", "swap 3 21", "paste 3,10 at 21" (the keys copied, then where the paste starts).
// Returns how many keys a paste left out.
int edit(KeyDocument &doc, const QString &what)
{
    const QStringList w = what.split(u' ');
    const int index = w.value(1).toInt();
    if (w[0] == u"colors")
        doc.setColor(indices(w.value(1)), w.value(2).toUInt(nullptr, 16));
    else if (w[0] == u"clear")
        doc.clearKeys(indices(w.value(1)));
    else if (w[0] == u"swap")
        doc.swapKeys(index, w.value(2).toInt());
    else if (w[0] == u"paste")
        return doc.paste(w.value(3).toInt(), KeyClip::copy(doc.grid().cells(), doc.grid().profile(),
                                                           indices(w.value(1))));
    else
    if (w[0] == u"label")
        doc.setCaption(index, w.value(2).toLatin1());
    else if (w[0] == u"color")
        doc.setColor(index, w.value(2).toUInt(nullptr, 16));
    else if (w[0] == u"codes")
        doc.setCodes(index, hex(w.mid(2).join(QString())));
    else if (w[0] == u"merge")
        doc.MergeKey(index, w.value(2).toInt());
    else if (w[0] == u"split")
        doc.SplitKey(index);
    else
        qFatal("unknown edit %s", qPrintable(what));
    return 0;
}

// What the user sees of some cells: "3.caption=Milk 3.color=0000FF00 3.codes=12 1C
// 0.span=2x1 7.visible=0".
void checkSeen(const KeyGrid &grid, const QString &seen)
{
    for (const QString &fact : seen.split(u';', Qt::SkipEmptyParts)) {
        const int dot = fact.indexOf(u'.'), eq = fact.indexOf(u'=');
        const KeyCell &c = grid.cell(fact.left(dot).toInt());
        const QString field = fact.mid(dot + 1, eq - dot - 1), value = fact.mid(eq + 1);
        if (field == u"caption")
            QCOMPARE(c.Caption, value.toLatin1());
        else if (field == u"color")
            QCOMPARE(c.Color, value.toUInt(nullptr, 16));
        else if (field == u"codes")
            QCOMPARE(QByteArray(reinterpret_cast<const char *>(c.Codes.data()), c.CodeCount),
                     hex(value));
        else if (field == u"span")
            QCOMPARE(QStringLiteral("%1x%2").arg(c.ColSpan).arg(c.RowSpan), value);
        else if (field == u"visible")
            QCOMPARE(c.Visible, value == u"1");
        else if (field == u"dropped")
            continue; // the paste's count, checked by the caller
        else
            qFatal("unknown field in %s", qPrintable(fact));
    }
}

// Nothing but the document changes a cell: what it hands out is const, and the grid's own ways
// of changing cells are closed to everyone else.
template <typename Grid>
concept ChangesCells = requires(Grid &g) {
    g.setCaption(0, QByteArray());
} || requires(Grid &g) { g.setColor(0, 0u); } || requires(Grid &g) {
    g.setCodes(0, QByteArrayView());
} || requires(Grid &g) { g.storeEndMark(0); } || requires(Grid &g) { g.MergeKey(0, 7); } ||
    requires(Grid &g) { g.SplitKey(0); } || requires(Grid &g) { g.resetAll(); } ||
    requires(Grid &g, const QList<KeyCell> &cells) { g.assign(cells); };
static_assert(!ChangesCells<KeyGrid>);
static_assert(std::is_same_v<decltype(std::declval<KeyDocument &>().grid()), const KeyGrid &>);

} // namespace

void TestKeyDocument::undoRedo_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("undoText"); // empty: nothing to undo, the edit changed nothing
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("seen"); // after the edit, as checkSeen reads it

    QTest::newRow("label") << "label 3 Milk"
                           << "Undo Set Label" << true << "3.caption=Milk";
    QTest::newRow("label confirmed unchanged") << "label 3 Tea"
                                               << "Undo Set Label" << true << "3.caption=Tea";
    QTest::newRow("colour") << "color 3 00FF0000"
                            << "Undo Set Color" << true << "3.color=00FF0000;3.caption=Tea";
    QTest::newRow("codes") << "codes 3 12 1C F0 1C F0 12"
                           << "Undo Set Codes" << true << "3.codes=12 1C F0 1C F0 12";
    QTest::newRow("codes emptied") << "codes 3"
                                   << "Undo Set Codes" << true << "3.codes=";
    QTest::newRow("merge right") << "merge 0 7"
                                 << "Undo Merge Keys" << true << "0.span=2x1;7.visible=0";
    QTest::newRow("merge over a merged key")
        << "merge 14 21"
        << "Undo Merge Keys" << true
        << "14.span=2x1;21.visible=0;21.span=1x1;21.caption=22;22.visible=1;28.visible=1;"
           "29.visible=1";
    QTest::newRow("no neighbour: nothing merges") << "merge 0 8" << "" << false << "0.span=1x1";
    QTest::newRow("split") << "split 21"
                           << "Undo Split Key" << true
                           << "21.span=1x1;21.caption=22;22.visible=1;29.visible=1";
    QTest::newRow("reset a single key: undoable, not a change")
        << "split 3"
        << "Undo Reset Key" << false << "3.caption=4;3.codes=;3.color=8000000F";
    QTest::newRow("reset a default key: nothing to undo") << "split 5" << "" << false
                                                         << "5.caption=6";

    // Several keys in one step each.
    QTest::newRow("one colour for three keys")
        << "colors 0,1,2 000000FF"
        << "Undo Set Color" << true << "0.color=000000FF;1.color=000000FF;2.color=000000FF";
    QTest::newRow("clear keeps the span")
        << "clear 3,21"
        << "Undo Clear Keys" << true << "3.caption=4;3.codes=;21.span=2x2;21.caption=22";
    QTest::newRow("clear of default keys: nothing to undo") << "clear 5,6" << "" << false
                                                           << "5.caption=6";
    QTest::newRow("swap: contents trade, spans stay")
        << "swap 3 21"
        << "Undo Swap Keys" << true
        << "21.caption=Tea;21.codes=1C F0 1C;21.span=2x2;3.caption=22;3.codes=;3.span=1x1";
    QTest::newRow("paste one key") << "paste 3 at 40"
                                   << "Undo Paste Key" << true << "40.caption=Tea;40.codes=1C F0 1C";
    QTest::newRow("paste onto a merged key: its hidden cell is passed over")
        << "paste 3,10 at 21"
        << "Undo Paste Keys" << true
        << "21.caption=Tea;21.span=2x2;28.caption=29;35.caption=11;dropped=0";
    QTest::newRow("paste at the grid's edge: what falls off is left out")
        << "paste 3,10 at 80"
        << "Undo Paste Keys" << true << "80.caption=Tea;dropped=1";
    QTest::newRow("paste of a column past the bottom edge")
        << "paste 3,4,5 at 5"
        << "Undo Paste Keys" << true << "5.caption=Tea;6.caption=5;dropped=1";
}

void TestKeyDocument::undoRedo()
{
    QFETCH(QString, edit);
    QFETCH(QString, undoText);
    QFETCH(bool, changed);
    QFETCH(QString, seen);

    KeyDocument doc(ProgramProfile::tavrin());
    doc.load(startCells(), QStringLiteral("/tmp/start.tvr"));
    const int dropped = ::edit(doc, edit);
    const QList<KeyCell> edited = doc.grid().cells();
    checkSeen(doc.grid(), seen);
    if (const qsizetype at = seen.indexOf(u"dropped="); at >= 0)
        QCOMPARE(dropped, seen.mid(at + 8).toInt());
    QCOMPARE(doc.undoStack().count(), undoText.isEmpty() ? 0 : 1); // one step, whatever it took
    QCOMPARE(doc.isModified(), changed);
    QCOMPARE(doc.undoStack().canUndo(), !undoText.isEmpty());
    if (undoText.isEmpty())
        return;
    QCOMPARE(doc.undoStack().createUndoAction(&doc)->text(), undoText);

    doc.undoStack().undo();
    QCOMPARE(doc.grid().cells(), startCells()); // every cell, the bytes past the codes too
    QVERIFY(!doc.isModified());
    QCOMPARE(doc.undoStack().createRedoAction(&doc)->text(),
             QString(undoText).replace(QStringLiteral("Undo"), QStringLiteral("Redo")));

    doc.undoStack().redo();
    QCOMPARE(doc.grid().cells(), edited);
    QCOMPARE(doc.isModified(), changed);
}

void TestKeyDocument::savedState_data()
{
    QTest::addColumn<QString>("steps"); // edits, "save", "undo", "redo", separated by ","
    QTest::addColumn<QString>("changed"); // the flag after each step, 1 or 0

    QTest::newRow("edit, undo") << "label 1 A,undo"
                                << "10";
    QTest::newRow("two edits, undo both, redo both") << "label 1 A,label 2 B,undo,undo,redo,redo"
                                                     << "111011";
    QTest::newRow("saved in the middle") << "label 1 A,save,label 2 B,undo,undo,redo"
                                         << "101010";
    QTest::newRow("saved state dropped by a new edit after an undo")
        << "label 1 A,save,undo,label 2 B,undo"
        << "10111";
    QTest::newRow("a reset between saved and now is no change")
        << "split 3,label 1 A,undo,undo"
        << "0100";
    QTest::newRow("undo back past the saved state") << "label 1 A,save,undo,redo"
                                                    << "1010";
    QTest::newRow("undo a reset that was saved") << "label 3 X,save,split 3,save,undo,redo"
                                                 << "100010";
}

void TestKeyDocument::savedState()
{
    QFETCH(QString, steps);
    QFETCH(QString, changed);

    KeyDocument doc(ProgramProfile::tavrin());
    doc.load(startCells(), QStringLiteral("/tmp/start.tvr"));
    QSignalSpy announced(&doc, &KeyDocument::modifiedChanged);
    bool shown = false; // what a window listening to the signal would show
    connect(&doc, &KeyDocument::modifiedChanged, &doc, [&](bool m) { shown = m; });
    const QStringList s = steps.split(u',');
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == u"undo")
            doc.undoStack().undo();
        else if (s[i] == u"redo")
            doc.undoStack().redo();
        else if (s[i] == u"save")
            doc.markSaved(QStringLiteral("/tmp/saved.tvr"));
        else
            edit(doc, s[i]);
        QCOMPARE(doc.isModified(), changed[i] == u'1');
        QCOMPARE(shown, doc.isModified());
    }
    QVERIFY(announced.size() <= s.size());
}

void TestKeyDocument::freshHistory_data()
{
    QTest::addColumn<bool>("load");
    QTest::newRow("New") << false;
    QTest::newRow("Load") << true;
}

void TestKeyDocument::freshHistory()
{
    QFETCH(bool, load);

    KeyDocument doc(ProgramProfile::tavrin());
    edit(doc, QStringLiteral("label 3 Milk"));
    edit(doc, QStringLiteral("merge 0 7"));
    doc.undoStack().undo();
    QVERIFY(doc.isModified());
    QSignalSpy announced(&doc, &KeyDocument::modifiedChanged);

    if (load)
        doc.load(startCells(), QStringLiteral("/tmp/other.tvr"));
    else
        doc.clear();

    QVERIFY(!doc.undoStack().canUndo());
    QVERIFY(!doc.undoStack().canRedo());
    QVERIFY(!doc.isModified());
    QCOMPARE(announced.size(), 1);
    QCOMPARE(announced.at(0).at(0).toBool(), false);
    QCOMPARE(doc.grid().cell(3).Caption, load ? QByteArray("Tea") : QByteArray("4"));
    QCOMPARE(doc.filePath(), load ? QStringLiteral("/tmp/other.tvr") : QString());

    // After New the layout is in no file, though the dialogs still start where the last was.
    doc.markSaved(QStringLiteral("/tmp/saved.tvr"));
    QCOMPARE(doc.layoutFile(), QStringLiteral("/tmp/saved.tvr"));
    doc.clear();
    QCOMPARE(doc.layoutFile(), QString());
    QCOMPARE(doc.filePath(), QStringLiteral("/tmp/saved.tvr"));
}

void TestKeyDocument::endMarkIsAnnouncedButNoEdit()
{
    KeyDocument doc(ProgramProfile::tavrin());
    doc.setCodes(3, hex(QStringLiteral("1C F0 1C")));
    doc.markSaved(QStringLiteral("/tmp/saved.tvr"));
    QSignalSpy announced(&doc.grid(), &KeyGrid::cellsChanged);

    QCOMPARE(doc.storeEndMark(3), hex(QStringLiteral("1C F0 1C F7")));
    QCOMPARE(announced.size(), 1);
    QCOMPARE(announced.at(0).at(0).value<QList<int>>(), QList<int>{3});
    QCOMPARE(doc.storeEndMark(3), hex(QStringLiteral("1C F0 1C F7")));
    QCOMPARE(announced.size(), 1); // the mark was there already
    QVERIFY(!doc.isModified());
    QCOMPARE(doc.undoStack().count(), 1);
}

void TestKeyDocument::selection_data()
{
    QTest::addColumn<QString>("steps"); // "select 3", "toggle 5" (Ctrl+click), "all 1/2/3"
    QTest::addColumn<QString>("keys");  // the selected keys after them, in grid order
    QTest::addColumn<int>("current");

    QTest::newRow("one key") << "select 3" << "3" << 3;
    QTest::newRow("Ctrl+click adds, in grid order") << "select 30,toggle 5" << "5,30" << 5;
    QTest::newRow("Ctrl+click on a selected key takes it out")
        << "select 3,toggle 5,toggle 3" << "5" << 5;
    QTest::newRow("a plain click goes back to one key") << "all 1/2/3,select 2" << "2" << 2;
    QTest::newRow("the last key taken out leaves none") << "select 3,toggle 3" << "" << -1;
}

void TestKeyDocument::selection()
{
    QFETCH(QString, steps);
    QFETCH(QString, keys);
    QFETCH(int, current);

    KeySelection selection;
    for (const QString &step : steps.split(u',')) {
        const QStringList w = step.split(u' ');
        if (w[0] == u"select")
            selection.select(w[1].toInt());
        else if (w[0] == u"toggle")
            selection.toggle(w[1].toInt());
        else if (w[0] == u"all")
            selection.selectKeys(indices(QString(w[1]).replace(u'/', u',')));
    }
    QCOMPARE(selection.keys(), indices(keys));
    QCOMPARE(selection.current(), current);
}

void TestKeyDocument::clipboard_data()
{
    QTest::addColumn<QByteArray>("json"); // empty: the keys 3 and 21 as the window copies them
    QTest::addColumn<QString>("read");    // "index:label:codes" per key, or the error

    QTest::newRow("as copied") << QByteArray() << "3:Tea:1C F0 1C;21:22:";
    QTest::newRow("a key object as export writes it")
        << QByteArray(R"({"format": "tvrtool-keys", "version": 1, "program": "Tavrin", "keys": [
            {"index": 12, "column": 1, "row": 5, "label": {"text": "Latte", "codePage":
             "windows-1252"}, "color": "#FF0000", "colSpan": 1, "rowSpan": 1, "visible": true,
             "codes": ["12 1C F0 1C F0 12"], "strokes": ["Shift+A"]}]})")
        << "12:Latte:12 1C F0 1C F0 12";
    QTest::newRow("a colour it does not know")
        << QByteArray(R"({"format": "tvrtool-keys", "version": 1, "program": "Tavrin", "keys": [
            {"index": 2, "label": {"text": "x"}, "color": "mauve", "codes": []}]})")
        << R"(keys[0].color: "mauve" is no colour: give #RRGGBB, a system colour such as )"
           "buttonFace, or a value such as 0x8000000F";
    QTest::newRow("a whole layout is no keys")
        << QByteArray(R"({"format": "tvrtool-layout", "version": 1, "program": "Tavrin"})")
        << "not keys as JSON of format \"tvrtool-keys\"";
}

void TestKeyDocument::clipboard()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, read);

    const LabelCodec codec("windows-1252");
    const KeyClip copied = KeyClip::copy(startCells(), ProgramProfile::tavrin(), {21, 3});
    std::unique_ptr<QMimeData> data(copied.toMimeData(codec));
    if (!json.isEmpty())
        data->setData(QLatin1String(KeyClip::MimeType), json);
    QString error;
    const std::optional<KeyClip> clip =
        KeyClip::fromJson(data->data(QLatin1String(KeyClip::MimeType)), &error);
    QStringList keys;
    for (const KeyClip::Key &k : clip ? clip->keys : QList<KeyClip::Key>())
        keys << QStringLiteral("%1:%2:%3")
                    .arg(k.index)
                    .arg(QString::fromLatin1(k.content.Caption),
                         QString::fromLatin1(k.content.usedCodes().toByteArray().toHex(' ').toUpper()));
    QCOMPARE(clip ? keys.join(u';') : error, read);
    // What a text editor or a ticket gets: the keys as tvrtool show --codes lists them.
    if (json.isEmpty())
        QCOMPARE(data->text(), "key 4 (column 0, row 3) \"Tea\", 3 codes:\n"
                               "  1C F0 1C  A\n"
                               "key 22 (column 3, row 0) \"22\", no codes:\n");
}

QTEST_MAIN(TestKeyDocument)
#include "tst_keydocument.moc"
