# Ce qui n'est ni construit ni teste faute d'un paquet : chaque dossier le note pendant la
# configuration (tramelo_manque), et un seul resume l'annonce a la fin (tramelo_resumer_manques),
# avec la commande qui installe le reste. Les tests concernes sont sautes, jamais en echec.

# tramelo_manque(<ce qui manque> [paquets Debian...])
function(tramelo_manque quoi)
  # Le texte est un element de liste : pas de « ; ».
  string(REPLACE ";" "," quoi "${quoi}")
  set_property(GLOBAL APPEND PROPERTY TRAMELO_MANQUES "${quoi}")
  set_property(GLOBAL APPEND PROPERTY TRAMELO_PAQUETS_MANQUANTS ${ARGN})
endfunction()

# tramelo_programme(<variable> <commande> <paquet> <ce qui en a besoin>) : cherche la commande
# dans le PATH (et les dossiers habituels) et note son absence.
function(tramelo_programme variable commande paquet quoi)
  find_program(${variable} ${commande})
  if(NOT ${variable})
    tramelo_manque("${quoi} : ${commande} absent (paquet ${paquet})" ${paquet})
  endif()
endfunction()

# tramelo_modules_npm(<dossier relatif aux sources> <ce qui en a besoin>)
function(tramelo_modules_npm dossier quoi)
  if(NOT EXISTS ${CMAKE_SOURCE_DIR}/${dossier}/node_modules)
    tramelo_manque("${quoi} : modules npm de ${dossier} absents (npm ci)")
  endif()
endfunction()

function(tramelo_resumer_manques)
  get_property(manques GLOBAL PROPERTY TRAMELO_MANQUES)
  get_property(paquets GLOBAL PROPERTY TRAMELO_PAQUETS_MANQUANTS)
  if(NOT manques)
    message(STATUS "Tramelo : tout est construit et aucun test n'est saute faute d'un outil")
    return()
  endif()
  set(texte "Tramelo : construit sans ce qui suit (les tests concernes seront sautes)")
  foreach(manque IN LISTS manques)
    string(APPEND texte "\n     - ${manque}")
  endforeach()
  string(APPEND texte "\n   Pour tout installer (paquets Debian et modules npm), puis reconfigurer :"
                      "\n     outils/installer-dependances.sh")
  if(paquets)
    list(REMOVE_DUPLICATES paquets)
    list(JOIN paquets " " liste)
    string(APPEND texte "\n   (paquets manquants : sudo apt-get install ${liste})")
  endif()
  message(STATUS "${texte}")
endfunction()
