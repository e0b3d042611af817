#include "platform/instancelock.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstring>

using namespace tavlo;

namespace {

// The other copy: holds the lock at argv[2] until its stdin closes.
int holdLock(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    InstanceLock lock(QString::fromLocal8Bit(argv[2]));
    if (!lock.tryAcquire()) {
        std::puts("refused");
        return 1;
    }
    std::puts("held");
    std::fflush(stdout);
    QFile in;
    if (in.open(stdin, QIODevice::ReadOnly))
        in.readAll();
    return 0;
}

} // namespace

class tst_InstanceLock : public QObject {
    Q_OBJECT

private slots:
    void secondLockInTheSameProcessIsRefused()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tavlo.lock"));
        auto first = std::make_unique<InstanceLock>(path);
        InstanceLock second(path);
        QVERIFY(first->tryAcquire());
        QVERIFY(first->tryAcquire());
        QVERIFY(!second.tryAcquire());
        first.reset();
        QVERIFY(second.tryAcquire());
    }

    void lockOfAnotherProcess_data()
    {
        QTest::addColumn<bool>("killed");
        QTest::newRow("holder exits") << false;
        QTest::newRow("holder killed, stale lock taken over") << true;
    }
    void lockOfAnotherProcess()
    {
        QFETCH(bool, killed);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("run/tavlo.lock"));

        QProcess holder;
        holder.start(QCoreApplication::applicationFilePath(), {"--hold-lock", path});
        QVERIFY(holder.waitForStarted());
        while (!holder.readAllStandardOutput().contains("held"))
            QVERIFY2(holder.waitForReadyRead(10000), "the other copy never took the lock");

        InstanceLock lock(path);
        QVERIFY(!lock.tryAcquire());
        if (killed)
            holder.kill();
        else
            holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished());
        QCOMPARE(holder.exitStatus(), killed ? QProcess::CrashExit : QProcess::NormalExit);
        QVERIFY(QFile::exists(path) == killed);
        QVERIFY(lock.tryAcquire());
    }
};

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--hold-lock") == 0)
        return holdLock(argc, argv);
    QCoreApplication app(argc, argv);
    tst_InstanceLock test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_instancelock.moc"
