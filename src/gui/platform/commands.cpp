#include "gui/platform/commands.h"

#include <QStringList>
#include <algorithm>

namespace lumora {
namespace {

QList<QKeySequence> Keys(std::initializer_list<QKeyCombination> combos)
{
    QList<QKeySequence> keys;
    for (const QKeyCombination& c : combos)
        keys.append(QKeySequence(c));
    return keys;
}

const QList<CommandInfo>& Table()
{
    static const QList<CommandInfo> table = {
        {kCmdFileNew, "&Nouveau", Keys({Qt::CTRL | Qt::Key_N})},
        {kCmdFileOpen, "&Ouvrir...", Keys({Qt::CTRL | Qt::Key_O})},
        {kCmdFileClose, "&Fermer", {}},
        {kCmdFileSave, "&Enregistrer", Keys({Qt::CTRL | Qt::Key_S})},
        {kCmdFileSaveAs, "Enregistrer &sous...", {}},
        {kCmdFilePrintSetup, "&Configurer l'impression...", {}},
        {kCmdFilePrint, "&Imprimer...", Keys({Qt::CTRL | Qt::Key_P})},
        {kCmdFilePrintPreview, "Aperçu a&vant impression", {}},
        {kCmdFileMru, "Fichier récent", {}},
        {kCmdAppExit, "&Quitter", {}},
        {kCmdAppAbout, "&A propos de Lumora...", {}},
        {kCmdHelpIndex, "&Index", {}},
        {kCmdHelpUsing, "&Utiliser l'aide", {}},
        {kCmdContextHelp, "Aide &contextuelle", Keys({Qt::SHIFT | Qt::Key_F1})},
        {kCmdHelp, "&Aide", Keys({QKeyCombination(Qt::Key_F1)})},
        {kCmdEditUndo, "&Annuler", Keys({Qt::CTRL | Qt::Key_Z, Qt::ALT | Qt::Key_Backspace})},
        {kCmdEditRedo, "&Rétablir", Keys({Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z})},
        {kCmdEditCopy, "Co&pier", Keys({Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_Insert})},
        {kCmdEditCut, "&Couper", Keys({Qt::CTRL | Qt::Key_X, Qt::SHIFT | Qt::Key_Delete})},
        {kCmdEditPaste, "C&oller", Keys({Qt::CTRL | Qt::Key_V, Qt::SHIFT | Qt::Key_Insert})},
        {kCmdWindowNew, "&Nouvelle fenêtre", {}},
        {kCmdWindowArrange, "&Réorganiser les icônes", {}},
        {kCmdWindowCascade, "&Cascade", {}},
        {kCmdWindowTile, "&Mosaïque", {}},
        {kCmdNextPane, "Volet suivant", Keys({QKeyCombination(Qt::Key_F6)})},
        {kCmdPrevPane, "Volet précédent", Keys({Qt::SHIFT | Qt::Key_F6})},
        {kCmdViewToolBar, "Barre d'&outils", {}},
        {kCmdViewStatusBar, "Barre d'é&tat", {}},
        {kCmdNextPage, "Page sui&vante", Keys({QKeyCombination(Qt::Key_PageDown)})},
        {kCmdPrevPage, "P&age précédente", Keys({QKeyCombination(Qt::Key_PageUp)})},
        // Desktops take Alt+F1 and Alt+F2 before the program sees them: a second
        // key each, on the letters the menu underlines, and both in the menu.
        {kCmdCover, "Atteindre la &Couverture", Keys({Qt::ALT | Qt::Key_F1, Qt::CTRL | Qt::SHIFT | Qt::Key_C}), true},
        {kCmdNextTab, "&Onglet suivant", Keys({Qt::CTRL | Qt::Key_PageDown})},
        {kCmdPrevTab, "O&nglet précédent", Keys({Qt::CTRL | Qt::Key_PageUp})},
        {kCmdGoToPage, "Atteind&re la page...", {}},
        {kCmdGoToTab, "Atteindre l'ongle&t...", {}},
        {kCmdFirstPage, "Pr&emière page", Keys({Qt::CTRL | Qt::Key_Home})},
        {kCmdLastPage, "&Dernière page", Keys({Qt::CTRL | Qt::Key_End})},
        {kCmdAlbumProperties, "&Propriétés de l'album...", Keys({QKeyCombination(Qt::Key_F3)})},
        {kCmdTitleFonts, "Titre, de&scription et polices...", Keys({QKeyCombination(Qt::Key_F4)})},
        {kCmdFlyleaf, "Atteindre la Page de &garde", Keys({Qt::ALT | Qt::Key_F2, Qt::CTRL | Qt::SHIFT | Qt::Key_G}), true},
        {kCmdInsertImages, "&Inserer des images...", Keys({QKeyCombination(Qt::Key_Insert)})},
        {kCmdPreferences, "Préférences...", Keys({QKeyCombination(Qt::Key_F2)})},
        {kCmdDeleteItem, "&Supprimer", Keys({QKeyCombination(Qt::Key_Delete)})},
        {kCmdItemProperties, "&Propriétés ...", Keys({Qt::ALT | Qt::Key_Return})},
        {kCmdViewItem, "&Visualiser !", {}},
        {kCmdAddTab, "&Ajouter un onglet", Keys({Qt::CTRL | Qt::Key_A})},
        {kCmdDeleteTab, "Suppri&mer l'onglet", Keys({Qt::CTRL | Qt::Key_D})},
        {kCmdTabProperties, "&Propriétés de l'onglet...", Keys({QKeyCombination(Qt::Key_F7)})},
        {kCmdGather, "Rasse&mbler l'album...", {}},
        {kCmdSlideshow, "D&iaporama...", {}},
        {kCmdPropertiesWindow, "Fenêtre de propriétés", {}},
        {kCmdPrintPoster, "I&mprimer un poster...", {}},
        {kCmdPosterPreview, "A&perçu avant impression du poster...", {}},
        {kCmdPlaySound, "&Jouer la séquence sonore", Keys({QKeyCombination(Qt::Key_F8)})},
        {kCmdAttachSound, "Ass&ocier une séquence sonore...", {}},
        {kCmdRemoveSound, "Supprimer la séquence sonore", {}},
        {kCmdFullScreen, "Plein écran", Keys({QKeyCombination(Qt::Key_F9)})},
        {kCmdZoomOut, "Zoom arrière", Keys({Qt::KeypadModifier | Qt::Key_Minus, Qt::CTRL | Qt::Key_Minus})},
        {kCmdZoomIn, "Zoom avant",
         Keys({Qt::KeypadModifier | Qt::Key_Plus, Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal})},
        {kCmdZoomFit, "Ajuster à la fenêtre", Keys({Qt::CTRL | Qt::Key_0, Qt::KeypadModifier | Qt::Key_Asterisk})},
        {kCmdZoomClassic, "Taille classique", Keys({Qt::CTRL | Qt::Key_1})},
        {kCmdUseTabs, "&Utiliser les onglets", {}},
        {kCmdInsertText, "&Insérer un texte...", Keys({Qt::CTRL | Qt::Key_T})},
        {kCmdExportPdf, "E&xporter en PDF...", {}},
        {kCmdTabbedWindows, "Fenêtres en &onglets", {}},
        {kCmdNewAlbumFromFolder, "Nouvel album à partir d'un &dossier...", {}},
        {kCmdHistoryPanel, "&Historique", {}},
        {kCmdMoveItemBack, "Déplacer vers l'a&rrière", Keys({Qt::ALT | Qt::Key_PageUp})},
        {kCmdMoveItemForward, "Déplacer vers l'a&vant", Keys({Qt::ALT | Qt::Key_PageDown})},
    };
    return table;
}


QString KeyName(Qt::Key key)
{
    switch (key) {
    case Qt::Key_PageDown: return "Pg Suiv";
    case Qt::Key_PageUp: return "Pg Prec";
    case Qt::Key_Home: return "Orig";
    case Qt::Key_End: return "Fin";
    case Qt::Key_Insert: return "Inser";
    case Qt::Key_Delete: return "Suppr";
    case Qt::Key_Return:
    case Qt::Key_Enter: return "Entrée";
    case Qt::Key_Backspace: return "Retour arrière";
    case Qt::Key_Escape: return "Echap";
    case Qt::Key_Tab: return "Tab";
    case Qt::Key_Space: return "Espace";
    case Qt::Key_Up: return "Haut";
    case Qt::Key_Down: return "Bas";
    case Qt::Key_Left: return "Gauche";
    case Qt::Key_Right: return "Droite";
    default: break;
    }
    // Letters, digits, signs and function keys are named alike everywhere.
    return QKeySequence(key).toString(QKeySequence::PortableText);
}

}  // namespace

QString MenuKeyText(const QKeySequence& keys)
{
    if (keys.isEmpty())
        return {};
    const QKeyCombination combo = keys[0];
    const Qt::KeyboardModifiers mods = combo.keyboardModifiers();
    QString text;
    if (mods & Qt::ControlModifier)
        text += "Ctrl+";
    if (mods & Qt::ShiftModifier)
        text += "Maj+";
    if (mods & Qt::AltModifier)
        text += "Alt+";
    if (mods & Qt::KeypadModifier)
        text += "Num ";
    return text + KeyName(combo.key());
}

QString MenuLabel(const CommandInfo& command)
{
    if (command.keys.isEmpty())
        return command.label;
    if (!command.menuShowsEveryKey)
        return command.label + '\t' + MenuKeyText(command.keys.first());
    QStringList names;
    for (const QKeySequence& keys : command.keys)
        names << MenuKeyText(keys);
    return command.label + '\t' + names.join(" ou ");
}

const QList<CommandInfo>& AllCommands() { return Table(); }

const CommandInfo& Command(int id)
{
    static const CommandInfo unknown{0, {}, {}};
    const auto& table = Table();
    const auto it = std::find_if(table.begin(), table.end(), [id](const CommandInfo& c) { return c.id == id; });
    return it != table.end() ? *it : unknown;
}


}  // namespace lumora
