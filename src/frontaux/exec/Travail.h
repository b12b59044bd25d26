// Le dossier de travail d'une execution : TMPDIR/tramelo-exec.XXXXXX, cree par mkdtemp (jamais
// partage), verrouille (flock sur son fichier "verrou") tant que tramelo-exec vit, retire a la
// fin. Le menage des dossiers laisses par une execution tuee (SIGKILL) ne retire que ceux de plus
// d'un jour dont le verrou est libre : jamais celui d'une execution en cours.
#pragma once

#include <string>

namespace nsExec
{
    // Menage des anciens dossiers, creation et verrou ; Echouer (StatutSysteme) en cas d'echec.
    void PreparerTravail ();
    // Chemin absolu d'un fichier du dossier de travail.
    std::string DansTravail (const std::string & Nom);
    // Le dossier existe-t-il encore (un autre programme a pu le supprimer) ?
    bool TravailPresent ();
    // Apres une compilation ratee : seul ce fichier du dossier reste, pour etre lu.
    void ConserverSeulement (const std::string & Nom);
    // Retire le dossier (ou le reduit, voir ConserverSeulement), puis libere le verrou.
    void RetirerTravail ();
}
