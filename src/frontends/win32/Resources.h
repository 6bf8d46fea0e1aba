#pragma once

// Resource ids shared by brelker.rc and the code. Plain defines: the resource
// compiler reads this file too.
#define kApplicationIcon 1
#define kChooseBigFileIcon 101
#define kPiecesPlaceIcon 102
#define kSplitIcon 103
#define kSelfUnitIcon 104
#define kChoosePieceIcon 105
#define kBigFilePlaceIcon 106
#define kJoinIcon 107
#define kVerifyIcon 108
#define kStopIcon 109
#define kExitIcon 110
