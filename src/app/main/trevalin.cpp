#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trevalin"));
    QLabel janela(QStringLiteral("Trevalin"));
    janela.setMinimumSize(850, 650);
    janela.show();
    return app.exec();
}
