// Ids of the probe templates the headless backend's own tests run on.
#pragma once

#define IDD_PROBE 300
#define IDD_PROBE_CHILD 301
#define IDS_PROBE_GREETING 302

#define IDC_DISABLED_EDIT 1100
#define IDC_HIDDEN_EDIT 1101
#define IDC_NUMBER 1102
#define IDC_READONLY 1103
#define IDC_MANUAL_CHECK 1104
#define IDC_AUTO_CHECK 1105
#define IDC_MANUAL_RADIO 1106
#define IDC_DEFAULT 1110
#define IDC_PUSH 1111
#define IDC_FRAME 1112
#define IDC_CHILD_EDIT 1113
