#pragma once

// The options window's dialog template and its controls, shared by Form2Dialog.rc and the dialog
// procedure. Each control is named after its role with its index; the seven alarm rows number
// their controls row by row from a base (IDC_TextAlarmHour3 = IDC_TextAlarmHour0 + 3), and the
// help panel's controls lie in their own range so that the panel can be shown over the rest.
// Plain #defines, because the resource compiler reads this file too.

#define IDD_FORM2 200

// TextAlarmDate0..6
#define IDC_TextAlarmDate0 1100
#define IDC_TextAlarmDate1 1101
#define IDC_TextAlarmDate2 1102
#define IDC_TextAlarmDate3 1103
#define IDC_TextAlarmDate4 1104
#define IDC_TextAlarmDate5 1105
#define IDC_TextAlarmDate6 1106

// CheckActivateAlarm0..6
#define IDC_CheckActivateAlarm0 1110
#define IDC_CheckActivateAlarm1 1111
#define IDC_CheckActivateAlarm2 1112
#define IDC_CheckActivateAlarm3 1113
#define IDC_CheckActivateAlarm4 1114
#define IDC_CheckActivateAlarm5 1115
#define IDC_CheckActivateAlarm6 1116

// TextAlarmHour0..6
#define IDC_TextAlarmHour0 1120
#define IDC_TextAlarmHour1 1121
#define IDC_TextAlarmHour2 1122
#define IDC_TextAlarmHour3 1123
#define IDC_TextAlarmHour4 1124
#define IDC_TextAlarmHour5 1125
#define IDC_TextAlarmHour6 1126

// Label150..6
#define IDC_Label150 1130
#define IDC_Label151 1131
#define IDC_Label152 1132
#define IDC_Label153 1133
#define IDC_Label154 1134
#define IDC_Label155 1135
#define IDC_Label156 1136

// TextAlarmMin0..6
#define IDC_TextAlarmMin0 1140
#define IDC_TextAlarmMin1 1141
#define IDC_TextAlarmMin2 1142
#define IDC_TextAlarmMin3 1143
#define IDC_TextAlarmMin4 1144
#define IDC_TextAlarmMin5 1145
#define IDC_TextAlarmMin6 1146

// LabelAlarmAMPM0..6
#define IDC_LabelAlarmAMPM0 1150
#define IDC_LabelAlarmAMPM1 1151
#define IDC_LabelAlarmAMPM2 1152
#define IDC_LabelAlarmAMPM3 1153
#define IDC_LabelAlarmAMPM4 1154
#define IDC_LabelAlarmAMPM5 1155
#define IDC_LabelAlarmAMPM6 1156

// TextAlarmMessage0..6
#define IDC_TextAlarmMessage0 1160
#define IDC_TextAlarmMessage1 1161
#define IDC_TextAlarmMessage2 1162
#define IDC_TextAlarmMessage3 1163
#define IDC_TextAlarmMessage4 1164
#define IDC_TextAlarmMessage5 1165
#define IDC_TextAlarmMessage6 1166

// TextAlarmExec0..6
#define IDC_TextAlarmExec0 1170
#define IDC_TextAlarmExec1 1171
#define IDC_TextAlarmExec2 1172
#define IDC_TextAlarmExec3 1173
#define IDC_TextAlarmExec4 1174
#define IDC_TextAlarmExec5 1175
#define IDC_TextAlarmExec6 1176

// The time line, the "Options" area, the alarm headings and ring fields, the about line.
#define IDC_LabelTime 1000
#define IDC_Image1 1001
#define IDC_FrameOptions 1002
#define IDC_LabelSkinCaption 1003
#define IDC_ImageSkin0 1004
#define IDC_LabelSkin 1005
#define IDC_ImageSkin1 1006
#define IDC_pClock 1007
#define IDC_LabelVolumeCaption 1008
#define IDC_ImageVolume 1009
#define IDC_LabelOpacityCaption 1010
#define IDC_LabelOpP 1011
#define IDC_ImageOpacity 1012
#define IDC_CheckRunatStartup 1013
#define IDC_CheckOnTop 1014
#define IDC_CheckInvisibleClock 1015
#define IDC_CheckShowSeconds 1016
#define IDC_CheckComputerSpeaker 1017
#define IDC_CheckShowBorder 1018
#define IDC_ImageResetOptions 1019
#define IDC_CheckChime 1020
#define IDC_OptionChimeBigBen 1021
#define IDC_OptionChimeFreq 1022
#define IDC_TextChimeFreq 1023
#define IDC_CheckChimeRingOnce 1024
#define IDC_CheckTicks 1025
#define IDC_LabelTicksFreqCaption 1026
#define IDC_TextTicksFreq 1027
#define IDC_LabelTickDurCaption 1028
#define IDC_TextTickDur 1029
#define IDC_FrameAlarms 1030
#define IDC_LabelDateHeading 1031
#define IDC_LabelTimeHeading 1032
#define IDC_LabelMessageHeading 1033
#define IDC_LabelExecHeading 1034
#define IDC_LabelAlarmRing 1035
#define IDC_LabelAlarmFreqCaption 1036
#define IDC_TextAlarmFreq 1037
#define IDC_LabelRingCountCaption 1038
#define IDC_TextAlarmRingCount 1039
#define IDC_Label1 1040
#define IDC_Label2 1041
#define IDC_Label3 1042
#define IDC_Label4 1043
#define IDC_LabelBRISA 1044

// The help panel: PictureHelp, TextHelp0..4 (1 unused) and LabelHelp0..9.
#define IDC_HelpFirst 1900
#define IDC_PictureHelp 1900
#define IDC_TextHelp0 1901
#define IDC_TextHelp1 1902
#define IDC_TextHelp2 1903
#define IDC_TextHelp3 1904
#define IDC_TextHelp4 1905
#define IDC_LabelHelp0 1910
#define IDC_LabelHelp1 1911
#define IDC_LabelHelp2 1912
#define IDC_LabelHelp3 1913
#define IDC_LabelHelp4 1914
#define IDC_LabelHelp5 1915
#define IDC_LabelHelp6 1916
#define IDC_LabelHelp7 1917
#define IDC_LabelHelp8 1918
#define IDC_LabelHelp9 1919
#define IDC_HelpLast 1919
