// Facade JavaScript du module WebAssembly (src/frontaux/web/Liaison.cpp) : la page lui donne des chaines
// et recoit des textes decodes et des positions en indices de chaine ; les octets exacts du C++
// restent disponibles (octets) pour le telechargement. Les diagnostics suivent une forme unique
// (gravite, code, message, place, aides) que l'explication des erreurs remplira davantage.
const encodeur = new TextEncoder();
const decodeur = new TextDecoder();

// Indice dans la chaine Source du caractere qui commence a l'octet Decalage de son encodage
// UTF-8 (la fin de la chaine au-dela).
export function indiceDeDecalage(source, decalage) {
    let octets = 0;
    for (let i = 0; i < source.length; i++) {
        if (octets >= decalage) return i;
        const c = source.charCodeAt(i);
        if (c < 0x80) octets += 1;
        else if (c < 0x800) octets += 2;
        else if (c >= 0xd800 && c <= 0xdbff && i + 1 < source.length
                 && (source.charCodeAt(i + 1) & 0xfc00) === 0xdc00) {
            octets += 4;
            i++;
        } else octets += 3;
    }
    return source.length;
}

function lireOptions(options) {
    const { tailleTab = 4, verifie = false, nomSource = 'programme.algo' } = options ?? {};
    return { tailleTab, verifie, nomSource };
}

export function creerTramelo(M) {
    // Place dans la chaine du mot signale : [debut, fin) en indices de chaine.
    function situer(source, d) {
        if (typeof source !== 'string' || !d.positionne) return { debut: 0, fin: 0 };
        const ascii = source.length === d.tailleSource;
        const debut = ascii ? Math.min(d.decalage, source.length) : indiceDeDecalage(source, d.decalage);
        const fin = ascii ? Math.min(d.decalage + d.longueur, source.length)
                          : indiceDeDecalage(source, d.decalage + d.longueur);
        return { debut, fin };
    }

    function erreur(source, tailleSource, e) {
        if (!e) return null;
        const d = { ...e, tailleSource };
        return {
            code: e.code,
            message: decodeur.decode(e.message),
            libelle: decodeur.decode(e.libelle),
            positionne: e.positionne,
            ligneSignalee: e.ligneSignalee,
            ligne: e.ligne,
            colonne: e.colonne,
            longueur: e.longueur,
            decalage: e.decalage,
            ...situer(source, d),
        };
    }

    function diagnostic(source, tailleSource, e) {
        return {
            severite: e.severite,
            code: e.code,
            message: decodeur.decode(e.message),
            positionne: e.positionne,
            ligne: e.ligne,
            colonne: e.colonne,
            longueur: e.longueur,
            decalage: e.decalage,
            aides: e.aides.map((a) => ({ genre: a.genre, texte: decodeur.decode(a.texte) })),
            ...situer(source, { ...e, tailleSource }),
        };
    }

    function octetsDe(source) {
        return typeof source === 'string' ? encodeur.encode(source) : source;
    }

    // Leve par proteger quand un appel a ete interrompu par une exception JavaScript : le module
    // peut etre hors d'usage (abandon d'emscripten), l'appelant le recree.
    let interrompu = false;

    // Une exception JavaScript pendant la traduction (pile du navigateur epuisee, memoire...)
    // devient l'erreur inconnue de Tramelo, sans position, au lieu de casser la page.
    function proteger(appel) {
        try {
            return appel();
        } catch {
            interrompu = true;
            const { statut, libelle } = M.refusInconnu();
            const erreur = { code: statut, message: libelle, libelle, positionne: false, ligneSignalee: 0,
                             ligne: 0, colonne: 0, decalage: 0, longueur: 0 };
            return { cpp: new Uint8Array(0), statut, erreur,
                     diagnostics: [{ ...erreur, severite: 'erreur', aides: [] }] };
        }
    }

    function traduction(source, tailleSource, R) {
        return {
            cpp: decodeur.decode(R.cpp),
            octets: R.cpp,
            statut: R.statut,
            erreur: erreur(source, tailleSource, R.erreur),
        };
    }

    return {
        // { cpp, octets, statut, erreur } ; erreur : null, ou la premiere erreur, telle que
        // Tramelo l'ecrit (libelle) et situee (ligne, colonne, debut, fin).
        traduire(source, options) {
            const octets = octetsDe(source);
            return traduction(source, octets.length, proteger(() => M.traduire(octets, lireOptions(options))));
        },
        // Les diagnostics expliques : [{ severite, code, message, ligne, colonne, longueur,
        // decalage, debut, fin, aides: [{ genre, texte }] }].
        diagnostics(source, options) {
            const octets = octetsDe(source);
            return proteger(() => ({ diagnostics: M.diagnostics(octets, lireOptions(options)) }))
                .diagnostics.map((e) => diagnostic(source, octets.length, e));
        },
        // Les deux en un seul passage : ce que la page demande a chaque frappe.
        analyser(source, options) {
            const octets = octetsDe(source);
            const R = proteger(() => M.analyser(octets, lireOptions(options)));
            return {
                ...traduction(source, octets.length, R),
                diagnostics: R.diagnostics.map((e) => diagnostic(source, octets.length, e)),
            };
        },
        // L'organigramme (web/src/organigramme.js) : { statut, texte, octets, refus, diagnostics } ;
        // texte est le SVG (ou DOT, Mermaid selon options.format), vide si statut n'est pas 0.
        organigramme(source, options) {
            const octets = octetsDe(source);
            const { format = 'svg', unite, titre = '' } = options ?? {};
            const R = proteger(() => M.organigramme(octets, { ...lireOptions(options), format, titre,
                                                              ...(unite ? { unite } : {}) }));
            return {
                statut: R.statut,
                texte: R.texte ? decodeur.decode(R.texte) : '',
                octets: R.texte ?? new Uint8Array(0),
                refus: R.refus ? decodeur.decode(R.refus) : '',
                diagnostics: (R.diagnostics ?? []).map((e) => diagnostic(source, octets.length, e)),
            };
        },
        // Les mots reserves du traducteur : [{ categorie, mot }].
        vocabulaire() {
            return M.vocabulaire();
        },
        // Vrai si un appel a ete interrompu par une exception JavaScript.
        interrompu: () => interrompu,
    };
}
