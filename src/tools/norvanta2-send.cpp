// norvanta2-send TEXT: hands TEXT to the running Norvanta2, which keeps it as
// the newest head name. Exit status 0 when delivered, 1 when it was not, 2 for
// a wrong command line.
#include "app/incomingtext.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "norvanta2-send: %s\n", qPrintable(message));
    return 1;
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "%s\n", qPrintable(QStringLiteral("使い方: norvanta2-send テキスト")));
        return 2;
    }
    switch (nv::SendIncomingText(arguments[1])) {
    case nv::SendOutcome::Delivered:
        return 0;
    case nv::SendOutcome::NoListener:
        return fail(QStringLiteral("受け取る Norvanta2 が起動していません。"));
    case nv::SendOutcome::OtherUsersListener:
        return fail(QStringLiteral("受け取り口にいるのは別のユーザーのプログラムです。渡しません。"));
    case nv::SendOutcome::TooLong:
        return fail(QStringLiteral("テキストが長すぎます（UTF-8 で %1 バイトまで）。").arg(nv::kIncomingTextLimit));
    case nv::SendOutcome::Interrupted:
        break;
    }
    return fail(QStringLiteral("Norvanta2 にテキストを渡しきれませんでした。"));
}
