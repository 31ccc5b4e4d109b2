#include "builtinref/constant_groups.h"

namespace {

struct ConstantGroup {
  const char* prefix;
  const char* meaning;
};

constexpr ConstantGroup kGroups[] = {
    {"",
     "Instance words and the truth values: `self`, `other`, `all`, `noone` and `global` stand for instances (or the "
     "global scope) wherever an instance or object is taken (`with`, `instance_destroy`, `other.x`, `global.score`); "
     "`noone` is also what a search answers when it finds none; `local` is kept for games that name it; `true`, "
     "`false` and `pi` are numbers (`pi` is rounded to single precision)."},
    {"pr_",
     "Primitive kinds for `draw_primitive_begin`, `draw_primitive_begin_texture`, `d3d_primitive_begin` and "
     "`d3d_primitive_begin_texture`."},
    {"c_",
     "Colours (blue in the high byte, red in the low: `make_color_rgb` gives the same numbers) for every function and "
     "variable that takes a colour: `draw_set_color`, `draw_clear`, `image_blend`, `background_color`, the `_color` "
     "arguments of the drawing and particle functions."},
    {"bm_",
     "Blend modes: `bm_normal` to `bm_subtract` (0 to 3) for `draw_set_blend_mode`, and the factors `bm_zero` to "
     "`bm_src_alpha_sat` (1 to 11) for the source and destination of `draw_set_blend_mode_ext`. The numbers overlap: "
     "given as a factor, `bm_normal` acts as `bm_zero` and `bm_add`, `bm_max` and `bm_subtract` as the factors of "
     "their numbers (`bm_zero`, `bm_one`, `bm_src_color`)."},
    {"se_", "Sound effects, added together, for `sound_effect_set`."},
    {"fa_",
     "Text alignment for `draw_set_halign` (`fa_left`, `fa_center`, `fa_right`) and `draw_set_valign` (`fa_top`, "
     "`fa_middle`, `fa_bottom`); the others are file attributes for `file_find_first` and `file_attributes`."},
    {"mb_",
     "Mouse buttons for `mouse_check_button`, `mouse_check_button_pressed`, `mouse_check_button_released`, "
     "`mouse_button` and `mouse_lastbutton`."},
    {"vk_",
     "Key codes of the keys that have no letter or digit, for `keyboard_check` and its kin, `keyboard_key`, "
     "`keyboard_lastkey` and the keyboard events; letters and digits are their upper-case character codes "
     "(`ord(\"A\")`)."},
    {"ev_",
     "Event kinds (`ev_create` to `ev_close_button`) and, under each kind, its numbers (the mouse, other and step "
     "numbers), as `event_type` and `event_number` hold them and `event_perform`, `event_perform_object` and "
     "`object_event_add` take them."},
    {"ty_", "Argument and answer kinds of a library function for `external_define`."},
    {"dll_", "Calling conventions of a library function for `external_define`."},
    {"cr_", "Mouse cursor shapes for `window_set_cursor`."},
    {"pt_", "Particle shapes for `part_type_shape`."},
    {"ps_",
     "Particle system settings: distributions and shapes of emitters (`part_emitter_region`), forces and deflections "
     "(`part_attractor_force_kind`, `part_deflector_kind`), and what a changer changes (`part_changer_kind`)."},
    {"ef_", "Effect kinds for `effect_create_below` and `effect_create_above`."},
    {"display_", "Screen orientations, as `display_get_orientation` answers them."},
    {"phy_",
     "What `physics_joint_get_value` reads of a joint (`phy_joint_`), and what `physics_world_draw_debug` draws, added "
     "together (`phy_debug_render_`): the shapes, the joints, the centres of mass, the bounding boxes and the touching "
     "pairs (a line between the two boxes' centres); `phy_debug_render_obb` and `phy_debug_render_core_shapes` draw "
     "nothing."},
    {"audio_",
     "Distance models for `audio_falloff_set_model`: how an emitter's sound fades with its distance to the listener."},
    {"os_",
     "Systems, as `os_type` holds them; this player answers `os_win32` (0), the system the games were made for."},
    {"of_", "Outcomes of an online challenge, kept for games that name them."},
    {"leaderboard_", "How a leaderboard's scores are shown, kept for games that name them."},
    {"device_", "Device kinds, as `os_device` holds them."},
    {"browser_", "Browsers, as `os_browser` holds them; on this player `os_browser` is `browser_not_a_browser`."},
};

}  // namespace

const char* ConstantGroup_Meaning(const std::string& prefix) {
  for (const ConstantGroup& group : kGroups) {
    if (prefix == group.prefix) return group.meaning;
  }
  return nullptr;
}
