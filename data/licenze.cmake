# The licences of a package that carries other people's code inside it (the Windows program folder, the
# page for the browser): a folder, CONTALINO_LICENZE, set by the includer, that holds Contalino's licence
# (GPL-3.txt), the LGPL's text for Qt (LGPL-3.txt), Debian's copyright file of each source package a
# bundled file was built from, which names every author and licence in it (contalino_licenza_di), and
# copyright.txt, the notices of everything bundled: Contalino's copyright file, in Debian's
# machine-readable format as the Debian package has it, then the includer's stanzas (contalino_avvisi).
file(REMOVE_RECURSE ${CONTALINO_LICENZE})
find_program(DPKG_QUERY dpkg-query REQUIRED)

# The Debian package that installed `percorso`, and a package's version.
function(contalino_pacchetto_di percorso variabile)
    execute_process(COMMAND dpkg -S ${percorso} OUTPUT_VARIABLE riga OUTPUT_STRIP_TRAILING_WHITESPACE
                    COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX REPLACE ":.*" "" pacchetto "${riga}")
    set(${variabile} ${pacchetto} PARENT_SCOPE)
endfunction()
function(contalino_versione_di pacchetto variabile)
    execute_process(COMMAND ${DPKG_QUERY} -W -f=\${Version} ${pacchetto} OUTPUT_VARIABLE versione
                    COMMAND_ERROR_IS_FATAL ANY)
    set(${variabile} ${versione} PARENT_SCOPE)
endfunction()

# Debian's copyright file of `pacchetto`, as <nome>.txt.
function(contalino_licenza_di pacchetto nome)
    set(file /usr/share/doc/${pacchetto}/copyright)
    if(NOT EXISTS ${file})
        message(FATAL_ERROR "${file} is missing: the package could not carry ${nome}'s notices")
    endif()
    configure_file(${file} ${CONTALINO_LICENZE}/${nome}.txt COPYONLY)
endfunction()

# Qt is built by windows/qt.sh or web/qt.sh from Debian's qt6-base source package, whose version
# (QT_DEBIAN) and configure options (QT_OPZIONI) they record in its prefix; Debian's copyright file for
# that source package comes with this machine's Qt library, which must be of the same version.
get_filename_component(QT_PREFISSO "${Qt6_DIR}/../../.." ABSOLUTE)
file(STRINGS ${QT_PREFISSO}/.completo QT_COSTRUZIONE)
list(POP_FRONT QT_COSTRUZIONE QT_DEBIAN)
list(JOIN QT_COSTRUZIONE "\n   " QT_OPZIONI)
contalino_versione_di(libqt6core6 versione_linux)
if(NOT versione_linux STREQUAL QT_DEBIAN)
    message(FATAL_ERROR "The bundled Qt is qt6-base ${QT_DEBIAN}, this machine's Qt ${versione_linux}: "
                        "the notices would name the wrong source")
endif()
contalino_licenza_di(libqt6core6 qt6-base)

# Qt's Italian texts (its dialog buttons), Debian's own.
set(CONTALINO_TRADUZIONI /usr/share/qt6/translations/qtbase_it.qm CACHE FILEPATH "Qt's Italian texts")
if(EXISTS "${CONTALINO_TRADUZIONI}")
    contalino_pacchetto_di(${CONTALINO_TRADUZIONI} TRADUZIONI_PACCHETTO)
    contalino_versione_di(${TRADUZIONI_PACCHETTO} TRADUZIONI_VERSIONE)
    contalino_licenza_di(${TRADUZIONI_PACCHETTO} qt6-translations)
endif()

# copyright.txt: Contalino's notices, saying where the GPL's text is in this folder, then the stanzas of
# the template `modello` (configured with the variables above and the includer's); and the GPL's and
# the LGPL's texts.
function(contalino_avvisi modello)
    file(READ ${CONTALINO_COPYRIGHT_FILE} CONTALINO_COPYRIGHT)
    string(CONCAT su_debian "On Debian systems, the complete text of the GNU General Public License\n"
           " version 3 can be found in \"/usr/share/common-licenses/GPL-3\".")
    string(CONCAT qui "The complete text of the GNU General Public License version 3 is in GPL-3.txt,\n"
           " beside this file.")
    string(REPLACE "${su_debian}" "${qui}" CONTALINO_COPYRIGHT "${CONTALINO_COPYRIGHT}")
    if(NOT CONTALINO_COPYRIGHT MATCHES "GPL-3.txt")
        message(FATAL_ERROR "data/copyright no longer says where the GPL's text is: say it in copyright.txt")
    endif()
    configure_file(${modello} ${CONTALINO_LICENZE}/copyright.txt @ONLY)
    configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${CONTALINO_LICENZE}/GPL-3.txt COPYONLY)
    configure_file(/usr/share/common-licenses/LGPL-3 ${CONTALINO_LICENZE}/LGPL-3.txt COPYONLY)
endfunction()
