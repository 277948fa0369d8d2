#include "app/commands.h"

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
        {kCmdCover, "Atteindre la &Couverture", Keys({Qt::ALT | Qt::Key_F1})},
        {kCmdNextTab, "&Onglet suivant", Keys({Qt::CTRL | Qt::Key_PageDown})},
        {kCmdPrevTab, "O&nglet précédent", Keys({Qt::CTRL | Qt::Key_PageUp})},
        {kCmdGoToPage, "Atteind&re la page...", {}},
        {kCmdGoToTab, "Atteindre l'ongle&t...", {}},
        {kCmdFirstPage, "Pr&emière page", Keys({Qt::CTRL | Qt::Key_Home})},
        {kCmdLastPage, "&Dernière page", Keys({Qt::CTRL | Qt::Key_End})},
        {kCmdAlbumProperties, "&Propriétés de l'album...", Keys({QKeyCombination(Qt::Key_F3)})},
        {kCmdTitleFonts, "Titre, de&scription et polices...", Keys({QKeyCombination(Qt::Key_F4)})},
        {kCmdFlyleaf, "Atteindre la Page de &garde", Keys({Qt::ALT | Qt::Key_F2})},
        {kCmdInsertImages, "&Inserer des images...", Keys({QKeyCombination(Qt::Key_Insert)})},
        {kCmdPreferences, "Préférences...", Keys({QKeyCombination(Qt::Key_F2)})},
        {kCmdDeleteItem, "&Supprimer", Keys({QKeyCombination(Qt::Key_Delete)})},
        {kCmdItemProperties, "&Propriétés ...", Keys({Qt::ALT | Qt::Key_Return})},
        {kCmdViewItem, "&Visualiser !", {}},
        {kCmdAddTab, "&Ajouter un onglet", Keys({Qt::CTRL | Qt::Key_A})},
        {kCmdDeleteTab, "Suppri&mer l'onglet", Keys({Qt::CTRL | Qt::Key_D})},
        {kCmdTabProperties, "&Propriétés de l'onglet...", Keys({QKeyCombination(Qt::Key_F7)})},
        {kCmdGather, "&Rassembler l'album...", {}},
        {kCmdSlideshow, "&Diaporama...", {}},
        {kCmdPropertiesWindow, "Fenêtre de propriétés", {}},
        {kCmdPrintPoster, "I&mprimer un poster...", {}},
        {kCmdPosterPreview, "A&perçu avant impression du poster...", {}},
        {kCmdPlaySound, "&Jouer la séquence sonore", Keys({QKeyCombination(Qt::Key_F8)})},
        {kCmdAttachSound, "Ass&ocier une séquence sonore...", {}},
        {kCmdRemoveSound, "Supprimer la séquence sonore", {}},
        {kCmdFullScreen, "Plein écran", Keys({QKeyCombination(Qt::Key_F9)})},
        {kCmdZoomOut, "Zoom arrière", Keys({Qt::KeypadModifier | Qt::Key_Minus})},
        {kCmdZoomIn, "Zoom avant", Keys({Qt::KeypadModifier | Qt::Key_Plus})},
        {kCmdUseTabs, "&Utiliser les onglets", {}},
        {kCmdInsertText, "&Insérer un texte...", Keys({Qt::CTRL | Qt::Key_T})},
    };
    return table;
}

const QList<MenuPopup> kSharedTail = {
    {"&Options", {kCmdPropertiesWindow, kCmdViewToolBar, kCmdViewStatusBar, 0, kCmdPreferences}},
};

}  // namespace

const QList<CommandInfo>& AllCommands() { return Table(); }

const CommandInfo& Command(int id)
{
    static const CommandInfo unknown{0, {}, {}};
    const auto& table = Table();
    const auto it = std::find_if(table.begin(), table.end(), [id](const CommandInfo& c) { return c.id == id; });
    return it != table.end() ? *it : unknown;
}

QList<MenuPopup> FrameMenu()
{
    return {
        {"&Fichier", {kCmdFileNew, kCmdFileOpen, 0, kCmdFilePrintSetup, 0, kCmdFileMru, 0, kCmdAppExit}},
        kSharedTail[0],
        {"&?", {kCmdHelpIndex, kCmdHelpUsing, 0, kCmdAppAbout}},
    };
}

QList<MenuPopup> AlbumMenu()
{
    return {
        {"&Fichier",
         {kCmdFileNew, kCmdFileOpen, kCmdFileClose, 0, kCmdFileSave, kCmdFileSaveAs, 0, kCmdFilePrint,
          kCmdFilePrintPreview, kCmdFilePrintSetup, 0, kCmdFileMru, 0, kCmdAppExit}},
        {"&Edition",
         {kCmdInsertImages, kCmdInsertText, 0, kCmdEditCut, kCmdEditCopy, kCmdEditPaste, kCmdDeleteItem, 0,
          kCmdViewItem, kCmdItemProperties}},
        {"Effets &sonores", {kCmdAttachSound, kCmdRemoveSound, kCmdPlaySound}},
        {"Al&bum",
         {kCmdAlbumProperties, kCmdTitleFonts, 0, kCmdGather, kCmdSlideshow, 0, kCmdFirstPage, kCmdPrevPage,
          kCmdNextPage, kCmdLastPage, kCmdGoToPage, 0, kCmdCover, kCmdFlyleaf}},
        {"On&glets",
         {kCmdUseTabs, 0, kCmdTabProperties, 0, kCmdAddTab, kCmdDeleteTab, 0, kCmdNextTab, kCmdPrevTab,
          kCmdGoToTab}},
        kSharedTail[0],
        {"Fe&nêtre", {kCmdWindowNew, 0, kCmdWindowCascade, kCmdWindowTile, kCmdWindowArrange}},
        {"&?", {kCmdHelpIndex, kCmdHelpUsing, 0, kCmdAppAbout}},
    };
}

QList<MenuPopup> ImageMenu()
{
    return {
        {"&Fichier",
         {kCmdFileOpen, kCmdFileClose, 0, kCmdFilePrint, kCmdFilePrintPreview, 0, kCmdPrintPoster,
          kCmdPosterPreview, 0, kCmdFilePrintSetup, 0, kCmdFileMru, 0, kCmdAppExit}},
        {"&Image", {kCmdEditCopy, 0, kCmdFullScreen, 0, kCmdZoomIn, kCmdZoomOut}},
        kSharedTail[0],
        {"Fe&nêtre", {kCmdWindowNew, 0, kCmdWindowCascade, kCmdWindowTile, kCmdWindowArrange}},
        {"&?", {kCmdHelpIndex, kCmdHelpUsing, 0, kCmdAppAbout}},
    };
}

QList<int> AlbumToolBar()
{
    return {kCmdFileNew, kCmdFileOpen, kCmdFileSave, 0, kCmdEditCut, kCmdEditCopy, kCmdEditPaste, 0,
            kCmdInsertImages, kCmdInsertText, kCmdDeleteItem, kCmdItemProperties, kCmdViewItem, 0,
            kCmdFirstPage, kCmdPrevPage, kCmdNextPage, kCmdLastPage, 0, kCmdSlideshow, kCmdPlaySound, 0,
            kCmdFilePrint, kCmdPropertiesWindow, kCmdAppAbout};
}

QList<int> ImageToolBar()
{
    return {kCmdFileNew, kCmdFileOpen, 0, kCmdEditCopy, 0, kCmdZoomIn, kCmdZoomOut, kCmdFullScreen, 0,
            kCmdFilePrint, kCmdPrintPoster, 0, kCmdPropertiesWindow, kCmdAppAbout};
}

}  // namespace lumora
