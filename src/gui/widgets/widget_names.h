#pragma once
// The object names of the program's controls, given by the dialogs and
// looked up by the tests that drive them (and shown by accessibility
// tools). A name says what the control is; the same name in two dialogs
// means the same kind of control.

namespace lumora::widget_name {

inline constexpr char kOkButton[] = "okButton";
inline constexpr char kCancelButton[] = "cancelButton";
inline constexpr char kHelpButton[] = "helpButton";
inline constexpr char kPageNumberEdit[] = "pageNumberEdit";
inline constexpr char kTabList[] = "tabList";
inline constexpr char kTitleEdit[] = "titleEdit";
inline constexpr char kTitleEffectCombo[] = "titleEffectCombo";
inline constexpr char kTitleColourButton[] = "titleColourButton";
inline constexpr char kTitleFontButton[] = "titleFontButton";
inline constexpr char kDescriptionFontButton[] = "descriptionFontButton";
inline constexpr char kPhotosFontButton[] = "photosFontButton";
inline constexpr char kPageTitleFontButton[] = "pageTitleFontButton";
inline constexpr char kPageNumberFontButton[] = "pageNumberFontButton";
inline constexpr char kTitleFontLabel[] = "titleFontLabel";
inline constexpr char kDescriptionFontLabel[] = "descriptionFontLabel";
inline constexpr char kDeletePhotoPicture[] = "deletePhotoPicture";
inline constexpr char kPhotoPathLabel[] = "photoPathLabel";
inline constexpr char kPreviewButton[] = "previewButton";
inline constexpr char kDeleteTabPicture[] = "deleteTabPicture";
inline constexpr char kTabNameLabel[] = "tabNameLabel";
inline constexpr char kPictureSizeLabel[] = "pictureSizeLabel";
inline constexpr char kColoursLabel[] = "coloursLabel";
inline constexpr char kFileSizeLabel[] = "fileSizeLabel";
inline constexpr char kFormatLabel[] = "formatLabel";
inline constexpr char kSoundLabel[] = "soundLabel";
inline constexpr char kTextFontLabel[] = "textFontLabel";
inline constexpr char kTextFontButton[] = "textFontButton";
inline constexpr char kPasswordEdit[] = "passwordEdit";
inline constexpr char kOldPasswordEdit[] = "oldPasswordEdit";
inline constexpr char kNewPasswordEdit[] = "newPasswordEdit";
inline constexpr char kVerifyPasswordEdit[] = "verifyPasswordEdit";
inline constexpr char kDeskColourButton[] = "deskColourButton";
inline constexpr char kFrameStyleCombo[] = "frameStyleCombo";
inline constexpr char kFlyleafCheck[] = "flyleafCheck";
inline constexpr char kPageNumbersCheck[] = "pageNumbersCheck";
inline constexpr char kHeaderTitleCheck[] = "headerTitleCheck";
inline constexpr char kUseTabsCheck[] = "useTabsCheck";
inline constexpr char kPasswordButton[] = "passwordButton";
inline constexpr char kLayoutList[] = "layoutList";
inline constexpr char kTabPicture[] = "tabPicture";
inline constexpr char kTabNameEdit[] = "tabNameEdit";
inline constexpr char kTabColourButton[] = "tabColourButton";
inline constexpr char kSlideshowPicture[] = "slideshowPicture";
inline constexpr char kAutomaticRadio[] = "automaticRadio";
inline constexpr char kPauseLabel[] = "pauseLabel";
inline constexpr char kPauseEdit[] = "pauseEdit";
inline constexpr char kSecondsLabel[] = "secondsLabel";
inline constexpr char kLoopCheck[] = "loopCheck";
inline constexpr char kWaitForSoundCheck[] = "waitForSoundCheck";
inline constexpr char kWaitForSoundLabel[] = "waitForSoundLabel";
inline constexpr char kRealSizeCheck[] = "realSizeCheck";
inline constexpr char kPropertiesDescriptionEdit[] = "descriptionEdit";
inline constexpr char kInsertBeforeRadio[] = "insertBeforeRadio";
inline constexpr char kPreviewBox[] = "previewBox";
inline constexpr char kPreviewCheck[] = "previewCheck";
inline constexpr char kGatherPicture[] = "gatherPicture";
inline constexpr char kFolderEdit[] = "folderEdit";
inline constexpr char kConvertCheck[] = "convertCheck";
inline constexpr char kCompressionEdit[] = "compressionEdit";
inline constexpr char kSoundsCheck[] = "soundsCheck";
inline constexpr char kViewerCheck[] = "viewerCheck";
inline constexpr char kWebSizesCheck[] = "webSizesCheck";
inline constexpr char kSummaryLabel[] = "summaryLabel";
inline constexpr char kOperationLabel[] = "operationLabel";
inline constexpr char kPosterPicture[] = "posterPicture";
inline constexpr char kPosterWidthEdit[] = "widthEdit";
inline constexpr char kPosterHeightEdit[] = "heightEdit";
inline constexpr char kPrintPicture[] = "printPicture";
inline constexpr char kContentsRadio[] = "contentsRadio";
inline constexpr char kCoversRadio[] = "coversRadio";
inline constexpr char kDescriptionsCheck[] = "descriptionsCheck";
inline constexpr char kDescriptionEdit[] = "descriptionEdit";
inline constexpr char kTextEdit[] = "textEdit";
inline constexpr char kTextColourButton[] = "textColourButton";
inline constexpr char kTabNameColourButton[] = "tabNameColourButton";
inline constexpr char kInsertAfterRadio[] = "insertAfterRadio";
inline constexpr char kManualRadio[] = "manualRadio";
inline constexpr char kPhotosFontLabel[] = "photosFontLabel";
inline constexpr char kPageTitleFontLabel[] = "pageTitleFontLabel";
inline constexpr char kPageNumberFontLabel[] = "pageNumberFontLabel";
inline constexpr char kObjectNameLabel[] = "objectNameLabel";
inline constexpr char kPropertiesLabel[] = "propertiesLabel";
inline constexpr char kNoObjectLabel[] = "noObjectLabel";
inline constexpr char kDescriptionLabel[] = "descriptionLabel";
inline constexpr char kOldPasswordLabel[] = "oldPasswordLabel";
inline constexpr char kNewPasswordLabel[] = "newPasswordLabel";
inline constexpr char kVerifyPasswordLabel[] = "verifyPasswordLabel";
inline constexpr char kRateLabel[] = "rateLabel";
inline constexpr char kPercentLabel[] = "percentLabel";
inline constexpr char kBestLabel[] = "bestLabel";
inline constexpr char kSmallestLabel[] = "smallestLabel";

}  // namespace lumora::widget_name
