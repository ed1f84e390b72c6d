#pragma once

// Identifiers of the view's controls, commands and status-bar panes.

namespace volmograph {

// Controls of the form.
namespace ctl {
inline constexpr int kView = 0;  // the view itself, for a device context of the whole view
inline constexpr int kDbReference = 1000;
inline constexpr int kValue = 1001;
inline constexpr int kUnit = 1002;
inline constexpr int kRms = 1003;
inline constexpr int kValue2 = 1004;
inline constexpr int kUnit2 = 1005;
inline constexpr int kRelGroup = 1006;
inline constexpr int kDbGroup = 1007;
inline constexpr int kRelButton = 1008;
inline constexpr int kPeakHoldButton = 1009;
inline constexpr int kMinMaxButton = 1010;
inline constexpr int kDbButton = 1012;
inline constexpr int kPeakMax = 1013;
inline constexpr int kPeakMin = 1014;
inline constexpr int kDisplayFrame = 1017;
inline constexpr int kMinMaxMax = 1019;
inline constexpr int kMinMaxAvg = 1020;
inline constexpr int kMinMaxMin = 1021;
inline constexpr int kExtremesGroup = 1022;
inline constexpr int kSampleList = 1023;
inline constexpr int kRelReference = 1024;
inline constexpr int kTimeHeader = 1045;
inline constexpr int kValueHeader = 1046;
}  // namespace ctl

// Commands.
namespace cmd {
inline constexpr int kStart = 32771;
inline constexpr int kStop = 32772;
inline constexpr int kSampling250ms = 32773;
inline constexpr int kViewBar = 32774;
inline constexpr int kViewLine = 32775;
inline constexpr int kSampling500ms = 32777;
inline constexpr int kCommPort = 32778;
inline constexpr int kSampling1s = 32779;
inline constexpr int kSampling2s = 32780;
inline constexpr int kSampling5s = 32781;
inline constexpr int kSampling10s = 32782;
inline constexpr int kDbRefFirst = 32783;  // 2 Ohm
inline constexpr int kDbRefLast = 32797;   // 1000 Ohm
inline constexpr int kViewWaveform = 32798;
inline constexpr int kSampling50ms = 32800;
inline constexpr int kStartEnd = 32801;
inline constexpr int kViewText = 32803;
inline constexpr int kPause = 32804;
inline constexpr int kOpen = 57601;
inline constexpr int kSave = 57603;
}  // namespace cmd

// Status-bar panes.
namespace pane {
inline constexpr int kPort = 59143;
inline constexpr int kSamplingTime = 59144;
inline constexpr int kDbReference = 59145;
inline constexpr int kFileName = 59146;
}  // namespace pane

inline constexpr int kViewTimerId = 3;
inline constexpr int kViewTimerPeriodMs = 50;

}  // namespace volmograph
