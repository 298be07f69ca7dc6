#!/usr/bin/env bash
# Takes screenshots of the skin's layouts with skin_preview.exe in the test
# environment (tools/testenv.sh): one PNG per shot in the output folder.
#
#   tools/skin_preview/shoot.sh [--build DIR] [--out DIR] [SHOT...]
#
# Without SHOT names every shot of the list below is taken. Build the preview
# first (cmake --build <build dir> --target skin_preview).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$root/build
out=$root/build/skin-shots
while [ $# -gt 0 ]; do
  case $1 in
    --build) build=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    *) break ;;
  esac
done
exe=$build/tools/skin_preview/skin_preview.exe
[ -f "$exe" ] || { echo "shoot.sh: $exe is missing; build the target skin_preview" >&2; exit 1; }

if [ -z "${VISTREL_TESTENV:-}" ]; then
  exec "$root/tools/testenv.sh" --host-root "$0" --build "$build" --out "$out" "$@"
fi

mkdir -p "$out"
skin=$(/usr/lib/wine/wine64 winepath -w "$root/skin/vistrel/" 2>/dev/null)
backdrop=5B7186

# name | layout | crop WxH+X+Y | preview arguments; "hover=X,Y" among them moves
# the pointer there (screen pixels) before the screenshot, to show hot states.
shots() {
  cat <<'EOF'
main|main.xml|900x340+20+20|--at 40,40
main_hot|main.xml|900x340+20+20|--at 40,40 --attr btn_part_record:selected=true --attr camera:enabled=true --attr sel_camera:enabled=true --attr camera_set:visible=true --attr camera_set:enabled=true
main_camera_on|main.xml|900x340+20+20|--at 40,40 --attr btn_all_screen:selected=true --attr camera:enabled=true --attr camera:selected=true --attr sel_camera:enabled=true --attr sel_camera:bkimage=file='main/camera_sel.png'~source='0,64,130,96' --attr camera_set:visible=true --attr camera_set:enabled=true --attr audio_no:visible=true --attr btn_main_audio_txt:text=不录声音 --attr mic:selected=true
main_recording|main.xml|900x340+20+20|--at 40,40 --page switch=1 --attr start:visible=false --attr btn_pause:visible=true --attr btn_stop:visible=true --attr auto_stop:visible=false --attr plan_task:visible=false --attr time_mu:bkimage=other/3.png --attr time_st:bkimage=other/2.png --attr time_su:bkimage=other/7.png --attr filesize:text=~~~45.6MB/118GB
main_paused|main.xml|900x340+20+20|--at 40,40 --page switch=1 --attr start:visible=false --attr btn_pause:visible=true --attr btn_pause:selected=true --attr btn_pause:text=恢复 --attr btn_stop:visible=true --attr auto_stop:visible=false --attr plan_task:visible=false --attr btn_stop:normalimage=file='main/hong2.png'~source='0,0,90,52'
main_lists|main.xml|900x800+20+20|--at 40,40 --size 858,760 --rows listview=6 --attr btn_videolist:selected=true --attr btn_videolist:selectedimage=file='main/btn_list_f.png'~source='0,0,66,52' --attr start:normalimage=file='main/anniulan_f.png'~source='0,0,195,52' --attr rename_edit:visible=true --attr rename_edit:pos=34,53,214,85 --attr rename_edit:text=20250111_101005
main_pictures|main.xml|900x800+20+20|--at 40,40 --size 858,760 --rows listview_s=3 --attr opt_pic_info:selected=true --attr listview:visible=false --attr listview_s:visible=true
tray_menu|menu.xml|200x160+20+20|--menu --at 40,40 --size 90,0
audio_menu|main_audio_menu.xml|240x220+20+20|--menu --at 40,40 --size 152,0 --attr menu_main_sys:selected=true
sel_menu|main_sel_menu.xml|240x280+20+20|--menu --at 40,40 --size 176,0 --attr menu_sel_t3:selected=true
list_menu|list_right_menu.xml|200x220+20+20|--menu --at 40,40 --size 100,160 --attr all_sel:text=取消全选
camera_menu|camera_menu.xml|240x200+20+20|--menu --at 40,40 --attr menu_main:width=140 --fill menu_main_video=USB~Camera|Integrated~Webcam
mic_menu|mic_menu.xml|240x200+20+20|--menu --at 40,40 --attr menu_main:width=140 --fill menu_main_mic=默认|麦克风~(Realtek~Audio)|Monitor~of~NullOut
volume_menu|volume_menu.xml|240x240+20+20|--menu --at 40,40 --attr menu_main:width=160 --fill menu_main_volume=默认|扬声器~(Realtek~Audio)|PulseAudio|HDMI~输出|耳机~2|蓝牙音箱
monitor_menu|monitor_menu.xml|240x200+20+20|--menu --at 40,40 --attr menu_main:width=120 --fill menu_main_video=显示器~1|显示器~2
toolbar|toolbar.xml|500x90+20+20|--at 40,40 --attr bar_time_mu:bkimage=other/1.png --attr bar_time_st:bkimage=other/0.png --attr bar_time_su:bkimage=other/9.png
toolbar_paused|toolbar.xml|500x90+20+20|--at 40,40 --attr btn_pause:selected=true --attr btn_pause:tooltip=恢复录制
countdown_000|Countdown.xml|466x590+20+20|--at 40,40 --attr show_gif:bkimage=countdown/000.png
countdown_045|Countdown.xml|466x590+20+20|--at 40,40 --attr show_gif:bkimage=countdown/045.png
countdown_089|Countdown.xml|466x590+20+20|--at 40,40 --attr show_gif:bkimage=countdown/089.png
delvideofile_tip|delvideofile_tip.xml|640x290+20+20|--at 40,40 --attr tip_text:visible=true --attr tip_text:text=20250111_101005.mp4
game_record_tip|game_record_tip.xml|640x290+20+20|--at 40,40
hotkey_tip|hotkey_tip.xml|640x320+20+20|--at 40,40 --attr tip_text1:visible=true --attr tip_text1:text=F8 --attr tip_text2:visible=true --attr tip_text2:text=Ctrl~+~Q --attr tip_text4:visible=true --attr tip_text4:text=Alt~+~R
msg_tip|msg_tip.xml|640x290+20+20|--at 40,40 --attr tip_text:text=录制前请选择一种录制模式 --attr tip_text:width=211
tipbox|tipbox.xml|520x290+20+20|--at 40,40
exit|exit.xml|640x290+20+20|--at 40,40 --attr btn_mini:selected=true
selarea|selarea_wnd.xml|560x360+20+20|--at 40,40 --size 500,300 --attr btn_drag:visible=true --attr btn_drag:pos=239,139,261,161 --attr sel_size:visible=true --attr sel_size:pos=12,12,90,32 --attr sel_size:text=900~x~600
camera_wnd|camera_wnd.xml|360x280+20+20|--at 40,40
hover_tile|main.xml|900x340+20+20|--at 40,40 hover=250,200
hover_start|main.xml|900x340+20+20|--at 40,40 hover=800,315
hover_close|main.xml|900x340+20+20|--at 40,40 hover=877,60
hover_audio_menu|main_audio_menu.xml|240x220+20+20|--menu --at 40,40 --size 152,0 --attr menu_main_sys:selected=true hover=90,95
hover_sel_menu|main_sel_menu.xml|240x280+20+20|--menu --at 40,40 --size 176,0 hover=90,55
hover_toolbar|toolbar.xml|500x90+20+20|--at 40,40 hover=360,63
EOF
}

shoot() {
  local name=$1 layout=$2 crop=$3 hover= a; shift 3
  local pass=()
  for a in "$@"; do
    case $a in hover=*) hover=${a#hover=} ;; *) pass+=("$a") ;; esac
  done
  xdotool mousemove 1 1 >/dev/null 2>&1 || true
  /usr/lib/wine/wine64 "$exe" "$skin" "$layout" --timeout 6000 --backdrop "$backdrop" "${pass[@]}" >"$out/$name.log" 2>&1 &
  local pid=$!
  sleep "${VISTREL_SHOT_DELAY:-3}"
  if [ -n "$hover" ]; then
    xdotool mousemove "${hover%,*}" "${hover#*,}" >/dev/null 2>&1 || true
    sleep 1
  fi
  import -window root -crop "$crop" +repage "$out/$name.png"
  wait "$pid" || echo "shoot.sh: $name: skin_preview ended with $?" >&2
  echo "$out/$name.png"
}

cd "$root"
while IFS='|' read -r name layout crop args; do
  [ -n "$name" ] || continue
  if [ $# -gt 0 ]; then
    wanted=0
    for w in "$@"; do [ "$w" = "$name" ] && wanted=1; done
    [ $wanted = 1 ] || continue
  fi
  # Arguments are split at blanks; a "~" stands for a blank inside one.
  read -r -a argv <<<"$args"
  for i in "${!argv[@]}"; do argv[$i]=${argv[$i]//\~/ }; done
  shoot "$name" "$layout" "$crop" "${argv[@]}"
done < <(shots)
