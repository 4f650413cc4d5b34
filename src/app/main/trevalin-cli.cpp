#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("trevalin-cli"));
    QTextStream err(stderr);
    err << "usage: trevalin-cli <command> [options]\n";
    return 1;
}
