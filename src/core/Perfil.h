#pragma once

#include <QMap>
#include <QString>

class TExperimento;

// Writers of the user profile file (usuarios/<user>.ini) and of the folders
// that go with it. The dialogs and the session window call them; the format
// is fixed here:
//
//   [Experimentos]      QdeExp = number of experiments, keys "1".."QdeExp" =
//                       their names in order of creation
//   [<experiment>]      Configurado, Braco, QdeInicios, InicioX1, InicioY1,
//                       InicioX2, InicioY2, Labirinto, CompTipo, TempoSecao,
//                       Distancia, DivisoesDaSecao, ComecoQueda
//   [Comp1]..[Comp4]    the user's four behaviour lists, shared by all
//                       experiments: key n (1..26) = behaviour of the letter
//                       with code 64 + n; letters without one have no key
//
// Every writer changes the profile in one step: all of its keys reach the
// file together or none does, so a failure (read-only profile, full disk)
// never leaves half an experiment, a list with a gap or an erased behaviour
// list behind. Failures throw TErro; the profile is then unchanged.
namespace Perfil {

// Why a name cannot be a user (empty text when it can): it must not be empty,
// contain "/" or a line break or be "." or "..", since it names a file and a
// folder and is copied into every record header.
QString ProblemaNomeUsuario(const QString &nome);

// Why a name cannot be an experiment (empty text when it can). The name is a
// section of the profile and a folder: not empty, no "/", "[", "]" or line
// break, no blank at either end, not "." or "..", not a section the profile
// already uses for something else ("Experimentos", "Comp1".."Comp4", compared
// without regard to case), which deleting the experiment would erase, and
// not longer than a folder name can be (255 bytes in the file system's
// encoding).
QString ProblemaNomeExperimento(const QString &nome);

// New user: creates data directory + "usuarios/" when missing, the user
// folder unless it exists, and the profile file holding exactly
// "[Experimentos]" CR LF "QdeExp=0" (no final line end). Refuses an invalid
// name and an existing profile file (never overwritten).
void CriarUsuario(const QString &diretorioDados, const QString &nome);

// New experiment: creates the folder pastaUsuario + nome unless it exists,
// appends the name to the list (key QdeExp + 1, then QdeExp + 1) and writes
// the new section: Configurado 0, Braco 0, QdeInicios 0, InicioX1 0,
// InicioY1 0, InicioX2 0, InicioY2 0, Labirinto empty, CompTipo empty,
// TempoSecao 0, Distancia 0. Keys left in a section of that name by an
// experiment no longer listed are dropped first. Refuses an invalid name and
// a name already listed (compared without regard to case). A folder made here
// is removed again when the profile cannot be written.
void CriarExperimento(const QString &arquivo, const QString &pastaUsuario, const QString &nome);

// Settings save: in the section of experimento.Nome, Configurado 1, then
// Labirinto, Distancia, QdeInicios, DivisoesDaSecao and TempoSecao from
// experimento. Other keys keep their values.
void SalvarConfiguracoes(const QString &arquivo, const TExperimento &experimento);

// Behaviour list save: CompTipo = compTipo in the experiment's section, then
// the list's section is erased and key n = name written for every ticked
// letter n (1..26) of comportamentos, in letter order; a ticked letter may
// have an empty name. compTipo must be "Comp1".."Comp4". The list is shared:
// every experiment using it sees the change.
void SalvarComportamentos(const QString &arquivo, const QString &experimento,
                          const QString &compTipo, const QMap<int, QString> &comportamentos);

// Start-square confirmation: InicioX1, InicioY1, InicioX2, InicioY2 and then
// ComecoQueda (1, 2 or 3) from experimento, in the section of its Nome.
void SalvarInicios(const QString &arquivo, const TExperimento &experimento);

// Experiment deletion: the last list entry holding exactly this name goes,
// the entries after it move down by one key, QdeExp decreases by one and its
// last key is deleted; the experiment's section is erased. The experiment
// folder and the behaviour lists stay. A name that is not in the list
// changes nothing and gives false. A listed name that is also a section with
// another use ("Experimentos", "Comp1".."Comp4") leaves the list, but that
// section is kept.
bool ExcluirExperimento(const QString &arquivo, const QString &nome);

} // namespace Perfil
