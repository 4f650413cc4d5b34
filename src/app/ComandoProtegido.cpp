#include "ComandoProtegido.h"

#include "core/TErro.h"

#include <exception>
#include <new>

namespace {

int falha(const QString &nome, const QString &motivo, QTextStream &err) {
    // The output a command wrote before it failed stays where it was; the
    // message is flushed at once, in case the process has little left.
    err << "trevalin-cli " << nome << ": " << motivo << "\n";
    err.flush();
    return 1;
}

} // namespace

int ExecutarComandoProtegido(const QString &nome, const std::function<int()> &comando,
                             QTextStream &err) {
    try {
        return comando();
    } catch (const std::bad_alloc &) {
        // The message is built from literals: building it must not need much
        // of the memory that just ran out.
        return falha(nome,
                     QStringLiteral("not enough memory; the command stopped before it finished "
                                    "(a file it was saving was left as it was)"),
                     err);
    } catch (const TErro &e) {
        return falha(nome, e.mensagem(), err);
    } catch (const std::exception &e) {
        return falha(nome, QString::fromLocal8Bit(e.what()), err);
    }
}
