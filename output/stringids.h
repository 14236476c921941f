#pragma once

namespace quadrivium {

/// Ids of the string table (LoadString) that the program's code names.
/// Texts picked by arithmetic count from the first of their run
/// (kStrJanuary + month - 1, kStrPhysicalCurve + curve).
enum StringId : int {
    kStrTipOfDay = 104,
    kStrTipHeading = 107,
    kStrTipsMissing = 108,
    kStrTipsUnreadable = 109,
    kStrContent = 111,
    kStrSettings = 112,
    kStrReadings = 129,
    kStrColumnName = 131,
    kStrColumnBirthday = 132,
    kStrColumnTime = 133,
    kStrDeleteName = 500,
    kStrSelectToDelete = 501,
    kStrAreYouSure = 502,
    kStrGroupNotEmpty = 503,
    kStrNewGroup = 504,
    kStrRenameGroup = 505,
    kStrNumerologicalInterpretation = 508,
    kStrFor = 509,
    kStrRulingNumberLabel = 510, ///< "Ruling Number:" .. 515 "Personal Current Year Number:"
    kStrDayNumberLabel = 511,
    kStrFateLabel = 512,
    kStrAppearanceLabel = 513,
    kStrDominantLabel = 514,
    kStrPersonalYearLabel = 515,
    kStrBiorhythm = 516,
    kStrBornOn = 517,
    kStrPhysicalCurve = 518, ///< then the emotional (519) and intellectual (520) curve
    kStrEmotionalCurve = 519,
    kStrIntellectualCurve = 520,
    kStrPresentDay = 521,
    kStrPyramidInterpretation = 522,
    kStrJanuary = 523, ///< the months run to 534 "December"
    kStrAgeThirdClimax = 3013,
    kStrAgeFirstClimax = 3015,
    kStrAgeSecondClimax = 3016,
    kStrAgeFourthClimax = 3017,
    kStrEditFile = 4897,
    kStrRulingNumber = 6009, ///< page labels 6009..6014, in the core numbers' order
    kStrDayNumber = 6010,
    kStrNumberOfFate = 6011,
    kStrNumberOfAppearance = 6012,
    kStrDominantNameNumber = 6013,
    kStrPersonalYearNumber = 6014,
    kStrPyramid = 7000,
    kStrNameExists = 9006,
    kStrNameExistsInGroup = 9007,
    kStrFixedFont = 9009,
    kStrTextFont = 9010,
    kStrChartFileName = 9012,
    kStrPyramidFileName = 9013,
    kStrBiorhythmFileName = 9014,
    kStrOpenTitle = 10002,
    kStrOpenInTitle = 10003,
    kStrRulingNumberColon = 10019,
    kStrSettingsKey = 10020,
    kStrCompany = 10021,
    kStrWalkthroughTitle = 10039,
    kStrBirthChart = 10040,
};

} // namespace quadrivium
