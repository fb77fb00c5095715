// Identifiers of the main window's controls and of its menu items. Buttons and menu
// items that do the same thing share a handler, not an id.
#pragma once

namespace brisktune {

// Controls of dialog 101.
constexpr int kIdAddFiles = 1000;
constexpr int kIdSelectAll = 1001;
constexpr int kIdChangeFolder = 1002;
constexpr int kIdAddFolder = 1003;
constexpr int kIdSelectNone = 1004;
constexpr int kIdFileList = 1005;
constexpr int kIdFolderBox = 1006;
constexpr int kIdConvert = 1007;
constexpr int kIdSameFolder = 1008;
constexpr int kIdProgress = 1009;
constexpr int kIdQuality = 1010;
constexpr int kIdExplore = 1011;
constexpr int kIdRemove = 1013;
constexpr int kIdStayOnTop = 1014;
constexpr int kIdStatus = 1015;
constexpr int kIdBanner = 1016;  // the banner picture; looked up only to give it its image

// Items of menu 105.
constexpr int kMenuAddFiles = 40001;
constexpr int kMenuAddFolder = 40002;
constexpr int kMenuExit = 40003;
constexpr int kMenuSelectAll = 40004;
constexpr int kMenuSelectNone = 40005;
constexpr int kMenuRemove = 40006;
constexpr int kMenuConvert = 40007;
constexpr int kMenuChangeFolder = 40008;
constexpr int kMenuExplore = 40009;
constexpr int kMenuOnlineHelp = 40017;
constexpr int kMenuAbout = 40018;
constexpr int kMenuSameFolder = 40019;
constexpr int kMenuMoreSoftware = 40020;
constexpr int kMenuQualityFirst = 5100;  // 5100..5103: qualityIndex 0..3
constexpr int kMenuQualityLast = 5103;

// The maker's rights line: in the About box, the window's bottom-left corner, the
// banner artwork and the desktop entry's description.
constexpr const char* kRightsLine = "\xC2\xA9 2026 Brisktune developers";

}  // namespace brisktune
