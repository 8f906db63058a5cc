// SPDX-License-Identifier: GPL-3.0-or-later
// norvanta2-send [--] TEXT: hands TEXT to the running Norvanta2, which keeps it
// as the newest head name. --help and --version print and send nothing. Exit
// status 0 when delivered or printed, 1 when not delivered, 2 for a command
// line that is not understood.
#include "app/incomingtext.h"
#include "app/uilanguage.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

const char kUsage[] = QT_TRANSLATE_NOOP("norvanta2-send", "使い方: norvanta2-send [--] テキスト\n"
                      "       norvanta2-send --help | --version\n"
                      "起動中の Norvanta2 にテキストを渡し、いちばん新しいヘッドネームにします。\n"
                      "\n"
                      "  --help     この使い方を表示して終わります。何も渡しません。\n"
                      "  --version  バージョンを表示して終わります。何も渡しません。\n"
                      "  --         続く引数を、- で始まっていてもそのまま渡します。\n");

struct CommandLine {
    enum class Action { Send, Help, Version, NotUnderstood };
    Action action = Action::NotUnderstood;
    QString text;
};

// The arguments after the program's name. An argument that begins with "-" is
// an option unless "--" stands before it, so a mistyped option is never sent
// as a head name.
CommandLine readCommandLine(const QStringList &arguments)
{
    using Action = CommandLine::Action;
    if (arguments.size() == 2 && arguments[0] == QLatin1String("--")) return {Action::Send, arguments[1]};
    if (arguments.size() != 1) return {};
    const QString &only = arguments[0];
    if (only == QLatin1String("--help")) return {Action::Help, {}};
    if (only == QLatin1String("--version")) return {Action::Version, {}};
    if (only.startsWith(QLatin1Char('-'))) return {};
    return {Action::Send, only};
}

int fail(const QString &message)
{
    std::fprintf(stderr, "norvanta2-send: %s\n", qPrintable(message));
    return 1;
}

int send(const QString &text)
{
    switch (nv::SendIncomingText(text)) {
    case nv::SendOutcome::Delivered:
        return 0;
    case nv::SendOutcome::NoListener:
        return fail(QCoreApplication::translate("norvanta2-send", "受け取る Norvanta2 が起動していません。"));
    case nv::SendOutcome::OtherUsersListener:
        return fail(QCoreApplication::translate("norvanta2-send", "受け取り口にいるのは別のユーザーのプログラムです。渡しません。"));
    case nv::SendOutcome::TooLong:
        return fail(QCoreApplication::translate("norvanta2-send", "テキストが長すぎます（UTF-8 で %1 バイトまで）。").arg(nv::kIncomingTextLimit));
    case nv::SendOutcome::Interrupted:
        break;
    }
    return fail(QCoreApplication::translate("norvanta2-send", "Norvanta2 にテキストを渡しきれませんでした。"));
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    nv::installUiLanguage(application, QCoreApplication::applicationDirPath());
    const CommandLine commandLine = readCommandLine(QCoreApplication::arguments().mid(1));
    switch (commandLine.action) {
    case CommandLine::Action::Send:
        return send(commandLine.text);
    case CommandLine::Action::Help:
        std::fputs(qUtf8Printable(QCoreApplication::translate("norvanta2-send", kUsage)), stdout);
        return 0;
    case CommandLine::Action::Version:
        std::printf("norvanta2-send %s\n", NV_VERSION);
        return 0;
    case CommandLine::Action::NotUnderstood:
        break;
    }
    std::fputs(qUtf8Printable(QCoreApplication::translate("norvanta2-send", kUsage)), stderr);
    return 2;
}
