// Tests of what undo, crash recovery and external changes stand on: undo steps of the item
// store, the recovery folder shared by running and ended programs, file stamps and the
// termination signals.
#include "FileStamp.h"
#include "GridChange.h"
#include "RecoveryStore.h"
#include "SafeFile.h"
#include "TerminationSignals.h"
#include "TestDocument.h"
#include "TestFiles.h"
#include "WebFormFile.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>

using namespace TestDocument;

namespace {

constexpr quint32 Highlight = 0x00FFFF;

// A document as its window keeps it: leaving a cell takes its highlight off, entering one
// puts it on.
struct Document
{
    ItemGrid grid;
    WebFormInfo info = infoOf({"out.htm", "/cgi-bin/x", "False", "text/plain", "Go", ""});

    Document(int items)
    {
        QList<ItemGrid::Row> rows;
        for (int n = 0; n < items; ++n)
            rows.append({"Text Field", "f" + QByteArray::number(n)});
        FillGrid(grid, rows);
        QObject::connect(&grid, &ItemGrid::aboutToLeaveCell, [this] { leave(); });
        QObject::connect(&grid, &ItemGrid::enteredCell, [this] { enter(); });
        enter();
    }
    void leave() { grid.setCellColour(grid.currentRow(), grid.currentColumn(), 0); }
    void enter() { grid.setCellColour(grid.currentRow(), grid.currentColumn(), Highlight); }

    // What a step must put back: the file written from the cells and the properties, and
    // the cells' colours.
    QByteArray content() const
    {
        const QList<ItemGrid::Colours> &colours = grid.itemColours();
        return FormatWebFormFile(info, grid) +
               QByteArray(reinterpret_cast<const char *>(colours.constData()),
                          colours.size() * qsizetype(sizeof(ItemGrid::Colours)));
    }
    // The content and the current cell.
    QByteArray state() const
    {
        return content() + ' ' + QByteArray::number(grid.currentRow() * 100 + grid.currentColumn());
    }
    void apply(const GridChange &step, bool undo)
    {
        leave();
        const int row = undo ? step.undo(grid, info) : step.redo(grid, info);
        QCOMPARE(row, grid.currentRow());
        enter();
    }
};

// One command on the document as the window runs it, chosen at random.
void randomCommand(Document &doc, QRandomGenerator &random)
{
    ItemGrid &grid = doc.grid;
    const auto anyRow = [&] { return int(random.bounded(grid.rows() - 1)) + 1; };
    const QByteArray text = QByteArray::number(random.generate()) + "\xE9 \"x\"";
    const int row = grid.currentRow();
    switch (random.bounded(8)) {
    case 0: // an edit of a few cells, the last one typing what is there: alone, no step
    case 1:
        for (int n = int(random.bounded(3)); n >= 0; --n) {
            const int col = int(random.bounded(ItemColumnCount));
            grid.setText(row, col, n == 0 ? grid.text(row, col) : text);
        }
        break;
    case 2: // an insertion below the current row; the placeholder goes
        doc.leave();
        grid.addRow(row + 1, "Label");
        grid.setText(row + 1, ColLabel, text);
        grid.setCurrentCell(row + 1, ColLabel);
        doc.enter();
        if (grid.text(1, ColType).isEmpty() && grid.rows() > 2)
            grid.removeRow(1);
        break;
    case 3: // a deletion; the last item is blanked into the placeholder
        if (grid.rows() >= 3) {
            grid.removeRow(row);
        } else {
            for (int col = 0; col < ItemColumnCount; ++col)
                grid.setText(1, col, QByteArray());
        }
        doc.enter();
        break;
    case 4: // a row dragged anywhere, or Move Up; the current cell goes with it
    case 5: {
        const int to = random.bounded(2) ? anyRow() : std::max(row - 1, 1);
        grid.moveRow(row, to);
        grid.setCurrentCell(to, grid.currentColumn());
        break;
    }
    case 6: // the properties dialog
        doc.info.MethodGet = !doc.info.MethodGet;
        (random.bounded(2) ? doc.info.SubmitText : doc.info.OutputFile) = text;
        break;
    case 7: // an edit and a far one in one step (a radio group rename)
        grid.setText(row, ColOther, text);
        grid.setText(anyRow(), ColName, text);
        grid.setCellColour(anyRow(), ColType, random.generate()); // never current
        break;
    }
}

} // namespace

class TestRecovery : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    // Hundreds of random commands, each a step, between clicks on other cells: undo all
    // comes back through every state to the first, byte for byte and with the current
    // cell; redo all goes forward through them to the last. A step keeps the rows it
    // changed, not the form (a row moved far is two numbers); a command that changed
    // nothing is no step.
    void undoRedoRestoresEveryState()
    {
        Document doc(100);
        QAbstractItemModelTester tester(&doc.grid);
        QRandomGenerator random(20261206);
        QByteArrayList befores; // the state each step starts from, clicks included
        QByteArrayList afters;
        std::vector<GridChange> steps;
        while (steps.size() < 400) {
            if (random.bounded(3) == 0) // a click is not a step
                doc.grid.setCurrentCell(int(random.bounded(doc.grid.rows() - 1)) + 1,
                                        int(random.bounded(1, ItemColumnCount)));
            const QByteArray start = doc.state();
            const QByteArray content = doc.content();
            const GridChange::Snapshot before = GridChange::snapshot(doc.grid, doc.info);
            randomCommand(doc, random);
            GridChange step(before, doc.grid, doc.info);
            QCOMPARE(step.isEmpty(), doc.content() == content);
            QVERIFY2(step.bytesHeld() < 1024, qPrintable(QString::number(step.bytesHeld())));
            if (!step.isEmpty()) {
                steps.push_back(std::move(step));
                befores.append(start);
                afters.append(doc.state());
            }
        }
        for (int i = int(steps.size()) - 1; i >= 0; --i) {
            doc.apply(steps[i], true);
            QCOMPARE(doc.state(), befores[i]);
        }
        for (int i = 0; i < int(steps.size()); ++i) {
            doc.apply(steps[i], false);
            QCOMPARE(doc.state(), afters[i]);
        }
    }

    // Size, modification time, status change and inode: any change of the file shows, even
    // one that puts size and modification time back; a file left alone does not.
    void fileStamp()
    {
        const QString file = m_dir.filePath("stamped.wfm");
        const QByteArray name = QFile::encodeName(file);
        FileStamp stamp = FileStamp::of(file);
        QVERIFY(!stamp.exists && !stamp.changedOnDisk(file)); // still missing
        QVERIFY(TestFiles::write(file, "Label\r\n"));
        QVERIFY(stamp.changedOnDisk(file)); // created
        stamp = FileStamp::of(file);
        QVERIFY(stamp.exists && !stamp.changedOnDisk(file)); // left alone
        struct stat old = {};
        QCOMPARE(::stat(name.constData(), &old), 0);
        QTest::qWait(20); // a tick of the file system's clock
        QVERIFY(TestFiles::write(file, "Image\r\n"));
        const timespec times[2] = {old.st_atim, old.st_mtim};
        QCOMPARE(::utimensat(AT_FDCWD, name.constData(), times, 0), 0);
        QVERIFY(stamp.changedOnDisk(file)); // same size and modification time
        QVERIFY(QFile::remove(file));
        QVERIFY(stamp.changedOnDisk(file)); // deleted
    }

    // Copies of an ended program are offered, a running one's are not; a second program
    // starting meanwhile gets none of them; discarded and adopted copies leave nothing of
    // the ended program behind, and a clean exit nothing of this one. A store going away
    // only closes its lock, as its process ending does (a real kill: e2e_recovery.sh).
    // Another running program's copies: the start-up offer's test in the window tests.
    void orphansAreCopiesOfEndedPrograms()
    {
        const QString folder = RecoveryStore::DefaultFolder();
        QCOMPARE(folder, qEnvironmentVariable("XDG_DATA_HOME") + "/Tabrino/recovery");
        QDir(folder).removeRecursively();
        RecoveryStore own(folder);
        QCOMPARE(own.save(1, WebFormInfo(), *gridOf({"Label"}), NativePath()), QString());
        QCOMPARE(QFileInfo(folder).permissions() & 0x0077, QFile::Permissions());
        // A failed write is reported and leaves the last copy as it was.
        const QString ownCopy = folder + "/" + TestFiles::filesIn(folder).filter(".1.wfm").first();
        const QByteArray saved = TestFiles::read(ownCopy);
        SafeFile::setNextFault({WriteFault::AtFlush, 0, ENOSPC});
        QVERIFY(!own.save(1, WebFormInfo(), ItemGrid(), NativePath()).isEmpty());
        QCOMPARE(TestFiles::read(ownCopy), saved);

        // Another program with two changed documents, running, then ended.
        auto ended = std::make_unique<RecoveryStore>(folder);
        const auto grid = gridOf({"Radio Button", "theirs"});
        const WebFormInfo info = infoOf({"", "", "False", "m", "Send", ""});
        QCOMPARE(ended->save(1, info, *grid, QByteArray("/home/user/caf\xE9.wfm")), QString());
        QCOMPARE(ended->save(2, info, *grid, NativePath()), QString());
        QVERIFY(own.orphans().isEmpty());
        ended.reset();

        const QList<RecoveryCopy> found = own.orphans();
        QCOMPARE(found.size(), 2);
        QCOMPARE(found[0].originalPath.bytes(), QByteArray("/home/user/caf\xE9.wfm"));
        QCOMPARE(found[1].originalPath.bytes(), QByteArray());
        const QString endedInstance = QFileInfo(found[0].copyFile).fileName().section('.', 0, 0);
        for (const RecoveryCopy &copy : found) {
            QCOMPARE(cellsOf(copy.contents.rows).mid(0, 2),
                     (QByteArrayList{"Radio Button", "theirs"}));
            QCOMPARE(copy.contents.properties.SubmitText, QByteArray("Send"));
        }
        QVERIFY(RecoveryStore(folder).orphans().isEmpty()); // held by this store

        own.discard(found[1]);
        QVERIFY(own.adopt(found[0], 7));
        const QStringList files = TestFiles::filesIn(folder);
        QCOMPARE(files.filter(endedInstance + "."), QStringList());
        QCOMPARE(files.size(), 1 + 4); // own lock and two copies
        const QStringList ownSeven = files.filter(QRegularExpression("\\.7\\.(wfm|path)$"));
        QCOMPARE(ownSeven.size(), 2);
        QCOMPARE(TestFiles::read(folder + "/" + ownSeven[0]), found[0].originalPath.bytes());

        own.removeAll();
        QCOMPARE(TestFiles::filesIn(folder), QStringList());
    }

    // A copy that does not read back whole is not offered and goes; the rest is offered.
    void brokenCopiesAreNotOffered_data()
    {
        QTest::addColumn<QByteArray>("wfm");
        QTest::addColumn<QByteArray>("path"); // "-" for no path file
        QTest::addColumn<bool>("offered");
        const QByteArray whole = TestFiles::joined(
            {"", "", "False", "m", "s", "r", "Label", "n", "", "", "", "", "", "", "[EOF]"});
        QTest::newRow("whole") << whole << QByteArray("/srv/form.wfm") << true;
        QTest::newRow("no path file: untitled") << whole << QByteArray("-") << true;
        QTest::newRow("cut short") << whole.left(whole.size() - 9) << QByteArray("") << false;
        QTest::newRow("relative path") << whole << QByteArray("../form.wfm") << false;
        QTest::newRow("NUL in path") << whole << QByteArray("/a\0b.wfm", 8) << false;
        QTest::newRow("path too long") << whole << QByteArray(5000, '/') << false;
        QTest::newRow("copy is a FIFO") << QByteArray("fifo") << QByteArray("") << false;
        QTest::newRow("path is a folder") << whole << QByteArray("folder") << false;
    }
    void brokenCopiesAreNotOffered()
    {
        QFETCH(QByteArray, wfm);
        QFETCH(QByteArray, path);
        QTemporaryDir folder;
        const QString copy = folder.filePath("42-0000abcd.3.wfm");
        QVERIFY(TestFiles::write(folder.filePath("42-0000abcd.lock"), ""));
        QVERIFY(wfm == "fifo" ? ::mkfifo(QFile::encodeName(copy).constData(), 0600) == 0
                              : TestFiles::write(copy, wfm));
        QVERIFY(path == "folder"
                    ? QDir(folder.path()).mkdir("42-0000abcd.3.path")
                    : path == "-" || TestFiles::write(folder.filePath("42-0000abcd.3.path"), path));

        RecoveryStore store(folder.path());
        const QList<RecoveryCopy> found = store.orphans();
        QFETCH(bool, offered);
        QCOMPARE(found.size(), offered ? 1 : 0);
        for (const RecoveryCopy &copy : found) {
            QCOMPARE(copy.originalPath.bytes(), path == "-" ? QByteArray() : path);
            QCOMPARE(cellsOf(copy.contents.rows).first(), QByteArray("Label"));
        }
        // A copy not offered goes with its lock.
        QCOMPARE(QFileInfo::exists(copy) || !TestFiles::filesIn(folder.path()).isEmpty(), offered);
    }

    // The three signals arrive as a Qt signal, in order, and the program lives on; one
    // ignored before (nohup) stays ignored; afterwards each signal does what it did before.
    void terminationSignals()
    {
        for (const bool nohup : {false, true}) {
            const auto was = [nohup](int n) { return nohup && n == SIGHUP ? SIG_IGN : SIG_DFL; };
            for (const int signalNumber : {SIGTERM, SIGHUP, SIGINT})
                std::signal(signalNumber, was(signalNumber));
            {
                TerminationSignals caught;
                QVERIFY(caught.isInstalled());
                QVERIFY(!TerminationSignals().isInstalled());
                QCOMPARE(TerminationSignals::isCaught(SIGHUP), !nohup);
                QSignalSpy spy(&caught, &TerminationSignals::terminationRequested);
                for (const int signalNumber : {SIGTERM, SIGHUP, SIGINT, SIGTERM})
                    QCOMPARE(std::raise(signalNumber), 0);
                QTest::qWait(50); // an ignored signal would have come by now
                QTRY_COMPARE(spy.size(), nohup ? 3 : 4);
                QList<int> received;
                for (const QVariantList &arguments : spy)
                    received << arguments.at(0).toInt();
                QList<int> expected{SIGTERM, SIGHUP, SIGINT, SIGTERM};
                expected.removeAll(nohup ? SIGHUP : 0);
                QCOMPARE(received, expected);
            }
            for (const int signalNumber : {SIGTERM, SIGHUP, SIGINT})
                QVERIFY(std::signal(signalNumber, SIG_DFL) == was(signalNumber));
        }
    }
};

QTEST_GUILESS_MAIN(TestRecovery)
#include "tst_recovery.moc"
