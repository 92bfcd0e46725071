#pragma once

namespace vemo::panel_id {

// The settings panel's controls (template 129), by the numbers of the device's documentation.

// Upper area: VIDEO.
inline constexpr int StandardList = 1028;
inline constexpr int PictureFormatList = 1029;
inline constexpr int VideoCodecList = 1064;
inline constexpr int VideoBitrateField = 1022;
inline constexpr int LightSlider = 1032;
inline constexpr int ContrastSlider = 1030;
inline constexpr int SaturationSlider = 1034;
inline constexpr int LightValue = 1057;
inline constexpr int ContrastValue = 1056;
inline constexpr int SaturationValue = 1055;
// AUDIO.
inline constexpr int AudioCodecList = 1065;
inline constexpr int AudioBitrateList = 1025;
// DVB-T.
inline constexpr int FrequencyField = 1007;
inline constexpr int TsIdField = 1008;
inline constexpr int ModeList = 1010;
inline constexpr int ConstellationList = 1011;
inline constexpr int BandwidthList = 1012;
inline constexpr int CodeRateList = 1013;
inline constexpr int GuardIntervalList = 1014;
inline constexpr int LevelSlider = 1015;
inline constexpr int LevelValue = 1044;
// Network.
inline constexpr int VersionField = 1066;
inline constexpr int OriginalNetworkIdField = 1061;
inline constexpr int NetworkIdField = 1035;
inline constexpr int NetworkNameField = 1036;
// Service.
inline constexpr int ServiceIdField = 1018;
inline constexpr int ServiceNameField = 1019;
inline constexpr int LcnField = 1026;
inline constexpr int LcnTypeList = 1059;
inline constexpr int PmtPidField = 1024;
inline constexpr int VideoPidField = 1020;
inline constexpr int AudioPidField = 1021;
// E.I.T.
inline constexpr int EitNameField = 1079;
inline constexpr int EitTextField = 1080;

// Lower area, in view in manufacturer mode only.
inline constexpr int ReferenceLabel = 1058;
inline constexpr int ReferenceField = 1060;
inline constexpr int LogosList = 1078;
inline constexpr int DefaultCountryLabel = 1069;
inline constexpr int DefaultCountryList = 1068;
inline constexpr int FirmwareReloadButton = 1070;
inline constexpr int SetDefaultsButton = 1071;
inline constexpr int SaveButton = 1074;
inline constexpr int LoadButton = 1073;
inline constexpr int IqTableView = 1075;
inline constexpr int IqFromFileButton = 1076;
inline constexpr int IqToFileButton = 1077;

// The invisible frame over the upper area, the part ordinary users see.
inline constexpr int UpperAreaFrame = 1072;

}  // namespace vemo::panel_id
