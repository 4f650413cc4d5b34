#include "core/Arquivos.h"
#include "core/TGravacao.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

Q_DECLARE_METATYPE(TGravacao::Modo)
Q_DECLARE_METATYPE(TGravacao::Etapa)
Q_DECLARE_METATYPE(TResultado::Causa)

namespace {

QString doSistema(int erro) {
    return QString::fromLocal8Bit(std::strerror(erro));
}

// Permission bits of the file itself (-1 when it is missing).
int bits(const QString &caminho) {
    struct stat st;
    if (::lstat(QFile::encodeName(caminho).constData(), &st) != 0) return -1;
    return st.st_mode & 07777;
}

QByteArray ler(const QString &caminho) {
    QByteArray b;
    Arquivos::lerTudo(caminho, &b);
    return b;
}

void criar(const QString &caminho, const QByteArray &bytes, int permissoes) {
    QFile f(caminho);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
    f.close();
    QCOMPARE(::chmod(QFile::encodeName(caminho).constData(), mode_t(permissoes)), 0);
}

// Every name in a folder, hidden temporaries included.
QStringList nomes(const QString &pasta) {
    return QDir(pasta).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                 QDir::NoDotAndDotDot);
}

} // namespace

class TstGravacao : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString caminho(const QString &nome) const { return m_dir.filePath(nome); }

private slots:
    void init() {
        for (const QString &n : nomes(m_dir.path())) {
            const QString c = caminho(n);
            if (QFileInfo(c).isDir() && !QFileInfo(c).isSymLink())
                QDir(c).removeRecursively();
            else
                QFile::remove(c);
        }
    }
    void cleanup() { TGravacao::Interceptar(nullptr); }

    // The existing-file and read-only rules of each mode, and the saved
    // file's permissions (-1 for "no old file").
    void modos_data() {
        QTest::addColumn<int>("antigo");
        QTest::addColumn<TGravacao::Modo>("modo");
        QTest::addColumn<bool>("somenteLeitura");
        QTest::addColumn<TResultado::Causa>("causa");
        QTest::addColumn<int>("permissoes");
        const auto criarSo = TGravacao::CriarSomente, subst = TGravacao::Substituir,
                   mesmoRo = TGravacao::SubstituirSomenteLeitura;
        const auto ok = TResultado::Nenhuma;
        // clang-format off
        QTest::newRow("new, create only") << -1 << criarSo << false << ok << 0644;
        QTest::newRow("new, create only, read-only") << -1 << criarSo << true << ok << 0444;
        QTest::newRow("writable kept, create only") << 0644 << criarSo << false << TResultado::Existente << 0644;
        QTest::newRow("read-only kept, create only") << 0444 << criarSo << true << TResultado::Existente << 0444;
        QTest::newRow("new, replace") << -1 << subst << false << ok << 0644;
        QTest::newRow("replaced, permissions kept") << 0640 << subst << false << ok << 0640;
        QTest::newRow("replaced, execute bits kept") << 0751 << subst << false << ok << 0751;
        QTest::newRow("group-writable only, kept") << 0464 << subst << false << ok << 0464;
        QTest::newRow("read-only refused") << 0444 << subst << false << TResultado::SomenteLeitura << 0444;
        QTest::newRow("read-only refused, read-only result") << 0440 << subst << true << TResultado::SomenteLeitura << 0440;
        QTest::newRow("replaced, made read-only") << 0664 << subst << true << ok << 0444;
        QTest::newRow("new, replace even read-only") << -1 << mesmoRo << false << ok << 0644;
        QTest::newRow("read-only replaced, mark cleared") << 0440 << mesmoRo << false << ok << 0640;
        QTest::newRow("read-only replaced, stays read-only") << 0440 << mesmoRo << true << ok << 0440;
        QTest::newRow("writable replaced even read-only") << 0600 << mesmoRo << false << ok << 0600;
        // clang-format on
    }
    void modos() {
        QFETCH(int, antigo);
        QFETCH(TGravacao::Modo, modo);
        QFETCH(bool, somenteLeitura);
        QFETCH(TResultado::Causa, causa);
        QFETCH(int, permissoes);
        const QString alvo = caminho(QStringLiteral("f.txt"));
        if (antigo >= 0) criar(alvo, "antigo", antigo);

        const TResultado r = TGravacao::Gravar(alvo, "novo\r\n", modo, somenteLeitura);
        QCOMPARE(r.causa(), causa);
        QCOMPARE(r.Ok(), causa == TResultado::Nenhuma);
        QCOMPARE(r.Caminho(), alvo);
        QCOMPARE(r.Motivo().isEmpty(), r.Ok());
        QCOMPARE(ler(alvo), r.Ok() ? QByteArray("novo\r\n") : QByteArray("antigo"));
        QCOMPARE(QString::number(bits(alvo), 8), QString::number(permissoes, 8));
        QCOMPARE(Arquivos::somenteLeitura(alvo), !(permissoes & 0222));
        QCOMPARE(nomes(m_dir.path()), QStringList{QStringLiteral("f.txt")});
    }

    // Names that cannot be saved, in every mode, with the program's reasons.
    void recusas_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<TResultado::Causa>("causa");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("no name") << "" << TResultado::SemNome << "no file name was given";
        QTest::newRow("missing folder")
            << "falta/f.txt" << TResultado::PastaInexistente << "the folder does not exist";
        QTest::newRow("folder") << "pasta" << TResultado::EhPasta << "it is a folder";
    }
    void recusas() {
        QFETCH(QString, nome);
        QFETCH(TResultado::Causa, causa);
        QFETCH(QString, motivo);
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("pasta")));
        const QString alvo = nome.isEmpty() ? nome : caminho(nome);
        for (auto modo : {TGravacao::CriarSomente, TGravacao::Substituir,
                          TGravacao::SubstituirSomenteLeitura}) {
            const TResultado r = TGravacao::Gravar(alvo, "x", modo);
            QCOMPARE(r.causa(), causa);
            QCOMPARE(r.Motivo(), motivo);
            QCOMPARE(r.Caminho(), alvo);
        }
        QCOMPARE(nomes(m_dir.path()), QStringList{QStringLiteral("pasta")});
        QVERIFY(nomes(caminho(QStringLiteral("pasta"))).isEmpty());
    }

    // A link to nowhere is a taken name for a new file; a replace puts a
    // file in place of the link.
    void linkParaNada() {
        const QString alvo = caminho(QStringLiteral("l.txt"));
        QVERIFY(QFile::link(caminho(QStringLiteral("nada")), alvo));
        QCOMPARE(TGravacao::Gravar(alvo, "x", TGravacao::CriarSomente).causa(),
                 TResultado::Existente);
        QVERIFY(QFileInfo(alvo).isSymLink());
        QVERIFY(TGravacao::Gravar(alvo, "x", TGravacao::Substituir));
        QVERIFY(!QFileInfo(alvo).isSymLink());
        QCOMPARE(ler(alvo), QByteArray("x"));
    }

    // A full disk: the system's own reason, the old file whole, nothing
    // left behind. Also a single byte when no block is free at all (it
    // fails only when the file is written out, the case a save that trusts
    // a buffered write reports as a success).
    void discoCheio_data() {
        QTest::addColumn<int>("tamanho");
        QTest::addColumn<bool>("encher");
        QTest::newRow("larger than the disk") << 200 * 1024 << false;
        QTest::newRow("one byte, disk full") << 1 << true;
    }
    void discoCheio() {
        QFETCH(int, tamanho);
        QFETCH(bool, encher);
        const QString pasta = caminho(QStringLiteral("pequeno"));
        QVERIFY(QDir().mkpath(pasta));
        const QByteArray p = QFile::encodeName(pasta);
        if (::mount("tmpfs", p.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP(qPrintable("cannot mount a small file system here: " + doSistema(errno)));
        struct Desmontar {
            QByteArray p;
            ~Desmontar() { ::umount(p.constData()); }
        } desmontar{p};

        const QString alvo = pasta + QStringLiteral("/s.txt");
        criar(alvo, "antigo", 0640);
        if (encher) {
            const int fd = ::open((p + "/cheio").constData(), O_WRONLY | O_CREAT, 0644);
            QVERIFY(fd >= 0);
            const QByteArray bloco(4096, 'x');
            while (::write(fd, bloco.constData(), bloco.size()) > 0) {
            }
            ::close(fd);
        }
        const TResultado r =
            TGravacao::Gravar(alvo, QByteArray(tamanho, 'n'), TGravacao::Substituir);
        QCOMPARE(r.causa(), TResultado::Sistema);
        QCOMPARE(r.Motivo(), doSistema(ENOSPC));
        QCOMPARE(ler(alvo), QByteArray("antigo"));
        QCOMPARE(bits(alvo), 0640);
        QStringList esperado{QStringLiteral("s.txt")};
        if (encher) esperado.prepend(QStringLiteral("cheio"));
        QCOMPARE(nomes(pasta), esperado);
    }

    // A file-size limit (binds root too) stops the write half-way.
    void limiteDeTamanho() {
        const QString alvo = caminho(QStringLiteral("g.txt"));
        criar(alvo, "antigo", 0444);
        struct rlimit antes;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &antes), 0);
        auto sinalAntes = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limite = antes;
        limite.rlim_cur = 1000;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limite), 0);
        const TResultado r = TGravacao::Gravar(alvo, QByteArray(5000, 'n'),
                                               TGravacao::SubstituirSomenteLeitura, true);
        setrlimit(RLIMIT_FSIZE, &antes);
        std::signal(SIGXFSZ, sinalAntes);
        QCOMPARE(r.Motivo(), doSistema(EFBIG));
        QCOMPARE(ler(alvo), QByteArray("antigo"));
        QCOMPARE(bits(alvo), 0444);
        QCOMPARE(nomes(m_dir.path()), QStringList{QStringLiteral("g.txt")});
    }

    // The steps in order, the temporary file hidden in the target's folder,
    // and the folder synced once the new name is in place.
    void etapas() {
        const QString alvo = caminho(QStringLiteral("e.txt"));
        criar(alvo, "antigo", 0644);
        QList<TGravacao::Etapa> vistas;
        QStringList temporarios;
        QByteArray naSincronizacaoDaPasta;
        TGravacao::Interceptar([&](TGravacao::Etapa e, const QString &tmp) {
            vistas.append(e);
            if (!tmp.isEmpty()) temporarios.append(tmp);
            if (e == TGravacao::SincronizarPasta) naSincronizacaoDaPasta = ler(alvo);
            return 0;
        });
        QVERIFY(TGravacao::Gravar(alvo, "novo", TGravacao::Substituir));
        QCOMPARE(vistas, (QList<TGravacao::Etapa>{TGravacao::Criar, TGravacao::Escrever,
                                                  TGravacao::Sincronizar, TGravacao::Nomear,
                                                  TGravacao::SincronizarPasta}));
        QCOMPARE(naSincronizacaoDaPasta, QByteArray("novo"));
        QCOMPARE(temporarios.size(), 4);
        QCOMPARE(QFileInfo(temporarios[0]).absolutePath(), QFileInfo(alvo).absolutePath());
        QVERIFY(QFileInfo(temporarios[0])
                    .fileName()
                    .startsWith(".e.txt.trevalin-" + QString::number(::getpid()) + "-"));
        QCOMPARE(nomes(m_dir.path()), QStringList{QStringLiteral("e.txt")});
    }

    // A save sweeps the temporary files of its own target that a killed save
    // left (its process gone, its lock free) and nothing else: not one whose
    // process lives, nor one locked by a save in progress elsewhere (another
    // computer on a shared folder, whose process ids mean nothing here), nor
    // another target's, nor a file merely named alike.
    void varreTemporariosAbandonados() {
        const pid_t filho = ::fork(); // its id is that of a process now gone
        if (filho == 0) ::_exit(0);
        QVERIFY(filho > 0);
        QCOMPARE(::waitpid(filho, nullptr, 0), filho);
        const QString morto = QString::number(filho);
        const QString vivo = QString::number(::getppid());
        const QString abandonado = ".v.txt.trevalin-" + morto + "-a1B2c3";
        const QStringList ficam = {".v.txt.trevalin-" + vivo + "-a1B2c3",
                                   ".v.txt.trevalin-" + morto + "-travad",
                                   ".w.txt.trevalin-" + morto + "-a1B2c3",
                                   ".v.txt.trevalin-" + morto + "-a1B2c3x", ".v.txt.trevalin-x"};
        for (const QString &n : ficam + QStringList{abandonado})
            criar(caminho(n), "parcial", 0444);
        const int travado = ::open(QFile::encodeName(caminho(ficam[1])).constData(), O_RDONLY);
        QVERIFY(travado >= 0);
        QCOMPARE(::flock(travado, LOCK_EX), 0);
        QVERIFY(TGravacao::Gravar(caminho("v.txt"), "novo", TGravacao::Substituir));
        ::close(travado);
        QStringList esperados = ficam + QStringList{"v.txt"};
        esperados.sort();
        QCOMPARE(nomes(m_dir.path()), esperados);
    }

    // A failure at any step: the system's reason, the old file and its mark
    // as they were, no temporary file. A failed folder sync comes after the
    // rename: reported, with the new contents already in place.
    void falhaEmCadaEtapa_data() {
        QTest::addColumn<TGravacao::Etapa>("etapa");
        QTest::addColumn<int>("erro");
        QTest::newRow("create") << TGravacao::Criar << EACCES;
        QTest::newRow("write") << TGravacao::Escrever << ENOSPC;
        QTest::newRow("sync") << TGravacao::Sincronizar << EIO;
        QTest::newRow("rename") << TGravacao::Nomear << EXDEV;
        QTest::newRow("folder sync") << TGravacao::SincronizarPasta << EIO;
    }
    void falhaEmCadaEtapa() {
        QFETCH(TGravacao::Etapa, etapa);
        QFETCH(int, erro);
        for (auto modo : {TGravacao::CriarSomente, TGravacao::SubstituirSomenteLeitura}) {
            init();
            const QString alvo = caminho(QStringLiteral("f.txt"));
            if (modo != TGravacao::CriarSomente) criar(alvo, "antigo", 0444);
            TGravacao::Interceptar(
                [&](TGravacao::Etapa e, const QString &) { return e == etapa ? erro : 0; });
            const TResultado r = TGravacao::Gravar(alvo, "novo", modo, true);
            TGravacao::Interceptar(nullptr);
            QCOMPARE(r.causa(), TResultado::Sistema);
            QCOMPARE(r.Motivo(), doSistema(erro));
            QCOMPARE(r.Caminho(), alvo);
            if (etapa == TGravacao::SincronizarPasta) {
                QCOMPARE(ler(alvo), QByteArray("novo"));
            } else if (modo == TGravacao::CriarSomente) {
                QVERIFY(!QFileInfo::exists(alvo));
            } else {
                QCOMPARE(ler(alvo), QByteArray("antigo"));
                QCOMPARE(bits(alvo), 0444);
            }
            const bool fica = etapa == TGravacao::SincronizarPasta || modo != TGravacao::CriarSomente;
            QCOMPARE(nomes(m_dir.path()), fica ? QStringList{"f.txt"} : QStringList());
        }
    }

    // A file that takes the name while the bytes are written is never
    // replaced by a new-only save; a replacing save replaces it.
    void arquivoQueAparece() {
        const QString alvo = caminho(QStringLiteral("a.txt"));
        TGravacao::Interceptar([&](TGravacao::Etapa e, const QString &) {
            if (e == TGravacao::Nomear && !QFileInfo::exists(alvo)) criar(alvo, "de outro", 0644);
            return 0;
        });
        const TResultado r = TGravacao::Gravar(alvo, "meu", TGravacao::CriarSomente, true);
        QCOMPARE(r.causa(), TResultado::Existente);
        QCOMPARE(r.Motivo(), QStringLiteral("the file already exists"));
        QCOMPARE(ler(alvo), QByteArray("de outro"));
        QCOMPARE(nomes(m_dir.path()), QStringList{QStringLiteral("a.txt")});

        QFile::remove(alvo);
        QVERIFY(TGravacao::Gravar(alvo, "meu", TGravacao::Substituir));
        QCOMPARE(ler(alvo), QByteArray("meu"));
        QCOMPARE(nomes(m_dir.path()), QStringList{QStringLiteral("a.txt")});
    }

    // The settings writers' entry point is the same path.
    void gravarAtomico() {
        const QString alvo = caminho(QStringLiteral("c.ini"));
        criar(alvo, "antigo", 0444);
        QString erro;
        QVERIFY(!Arquivos::gravarAtomico(alvo, "novo", &erro));
        QCOMPARE(erro, QStringLiteral("the file is read-only"));
        QVERIFY(Arquivos::desmarcarSomenteLeitura(alvo));
        QVERIFY(Arquivos::gravarAtomico(alvo, "novo", &erro));
        QCOMPARE(ler(alvo), QByteArray("novo"));
        QCOMPARE(TResultado::TextoDoSistema(0).isEmpty(), false);
    }
};

QTEST_GUILESS_MAIN(TstGravacao)
#include "tst_gravacao.moc"
