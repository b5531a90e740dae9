#include "app/main_form.hpp"

namespace quorvel::app {

namespace {

using K = Kind;

const ControlSpec kLogin[] = {
    {"Canvas1", K::Picture, 57, 14, 599, 152, ":/pictures/icon11.png"},
    {"StaticText6", K::Label, 206, 217, 71, 20, "Username:", 12, kBold},
    {"UserPopupMenu", K::PopupMenu, 281, 218, 194, 20, "Select User|Create New User"},
    {"UserEditField", K::TextField, 282, 217, 193, 21, "", 12, kHidden},
    {"StaticText7", K::Label, 208, 257, 63, 20, "Password:", 12, kBold},
    {"PassEditField", K::TextField, 281, 256, 194, 22, "", 12, kMasked},
    {"ConPassStaticText", K::Label, 157, 300, 119, 22, "Confirm Password:", 12, kBold | kHidden},
    {"ConPassEditField", K::TextField, 281, 300, 194, 22, "", 12, kHidden | kMasked},
    {"CancelPushButton", K::PushButton, 265, 363, 69, 20, "Cancel", 12, kHidden},
    {"LogPushButton", K::PushButton, 326, 363, 69, 20, "Login"},
    {"OkPushButton", K::PushButton, 389, 363, 69, 20, "OK", 12, kHidden},
};

const ControlSpec kRecords[] = {
    {"StaticText1", K::Label, 38, 52, 78, 20, "Show Category:", 10},
    {"PopupMenu1", K::PopupMenu, 120, 54, 135, 18,
     "All|WebSites|Bank Accounts|Credit Cards|Serial Numbers|Frequent Flyers", 10},
    {"GroupBox3", K::GroupBox, 23, 75, 249, 283},
    {"PasswordListBox", K::ListBox, 33, 84, 228, 264, "Title|Category", 10},
    {"GroupBox6", K::GroupBox, 289, 52, 369, 303},
    {"CatStaticText", K::Label, 300, 59, 146, 23, "Select Category:", 10, kDisabled},
    {"CatPopupMenu", K::PopupMenu, 450, 62, 200, 20,
     "WebSites|Bank Accounts|Credit Cards|Serial Numbers|Frequent Flyers", 10, kDisabled},
    {"UsernameBevel", K::BevelButton, 300, 99, 146, 18, "Username:", 10, kBold},
    {"PasswordBevel", K::BevelButton, 300, 134, 146, 18, "Password:", 10, kBold},
    {"WebsiteBevel", K::BevelButton, 300, 168, 146, 18, "Website Address:", 10, kBold},
    {"NotesBevel", K::BevelButton, 300, 239, 147, 18, "Notes:", 10, kBold},
    {"Field1PopupMenu", K::PopupMenu, 300, 100, 146, 16, "UserName:|Account No:|Card Type:", 10,
     kHidden | kDisabled},
    {"Field2PopupMenu", K::PopupMenu, 300, 135, 146, 16, "Password:|Card Number:|Serial No:", 10,
     kHidden | kDisabled},
    {"Field3PopupMenu", K::PopupMenu, 300, 169, 146, 16,
     "Website Address:|Exp Date:|Organization:", 10, kHidden | kDisabled},
    {"Field5PopupMenu", K::PopupMenu, 300, 239, 146, 16, "Notes:|Points:", 10, kHidden | kDisabled},
    {"GroupBox1", K::GroupBox, 300, 199, 146, 17},
    {"WebNameStaticText", K::Label, 330, 198, 79, 19, "    Entry Title:", 10, kBold},
    {"PassUserEditField", K::TextField, 450, 100, 200, 17, "", 10, kReadOnly},
    {"PasswordEditField", K::TextField, 450, 133, 200, 17, "", 10, kMasked | kReadOnly},
    {"PassUrlEditField", K::TextField, 450, 169, 200, 17, "", 10, kReadOnly},
    {"WebNameEditField", K::TextField, 450, 199, 200, 17, "", 10},
    {"PassNoteEditField", K::TextField, 450, 240, 200, 99, "", 10, kMultiLine | kReadOnly},
    {"PassUserStaticText", K::Label, 326, 97, 64, 19, "Username:", 10, kHidden},
    {"PasswordStaticText", K::Label, 305, 132, 73, 19, "Password:", 10, kHidden},
    {"PassUrlStaticText", K::Label, 314, 167, 64, 19, "Website Add:", 10, kHidden},
    {"PassNoteStaticText", K::Label, 320, 234, 57, 20, "        Notes:", 10, kHidden},
    {"PassEditPushButton", K::PushButton, 47, 368, 69, 20, "Edit", 12, kDisabled},
    {"PassDelPushButton", K::PushButton, 175, 368, 69, 20, "Remove", 12, kDisabled},
    {"PassAddPushButton", K::PushButton, 297, 368, 69, 20, "New"},
    {"PassDonePushButton", K::PushButton, 442, 368, 69, 20, "Done", 12, kDisabled},
    {"PassHidePushButton", K::PushButton, 584, 368, 69, 20, "Hide"},
    {"PasswordShowPushButton", K::PushButton, 585, 368, 69, 20, "Show"},
};

const ControlSpec kEncryptDocs[] = {
    {"StaticText2", K::Label, 179, 55, 309, 20,
     "Click Add to encrypt text files or to decrypt Quorvel encrypted files:", 9, kBold},
    {"GroupBox4", K::GroupBox, 74, 53, 510, 309},
    {"filesListBox", K::ListBox, 83, 76, 488, 275, "", 10},
    {"ChasingArrows1", K::BusyIndicator, 267, 258, 16, 16, "", 12, kHidden},
    {"PushButton1", K::PushButton, 117, 368, 69, 20, "Add"},
    {"PushButton3", K::PushButton, 482, 368, 69, 20, "Remove", 12, kDisabled},
    {"PushButton4", K::PushButton, 599, 161, 69, 20, "Encrypt", 12, kDisabled},
    {"PushButton2", K::PushButton, 599, 244, 69, 20, "Decrypt", 12, kDisabled},
};

const ControlSpec kEncryptNotes[] = {
    {"FontStaticText", K::Label, 41, 57, 479, 16,
     "Drag non-encrypted text file into box below or click File to open encrypted files or to "
     "save as encrypt:",
     9, kBold | kCentered},
    {"PopupMenu2", K::PopupMenu, 544, 56, 135, 17, "File|New|Open|Open Encrypt|Save Encrypt As",
     10},
    {"EncryptTextField", K::TextField, 15, 77, 661, 300, "", 12, kMultiLine},
};

const ControlSpec kUsers[] = {
    {"GroupBox9", K::GroupBox, 21, 55, 245, 306},
    {"UserPassListBox", K::ListBox, 34, 64, 216, 281, "", 10},
    {"UserEditPushButton", K::PushButton, 46, 366, 69, 20, "Edit"},
    {"UserDelPushButton", K::PushButton, 170, 366, 69, 20, "Remove"},
    {"GroupBox8", K::GroupBox, 321, 80, 346, 234},
    {"UsernameStaticText", K::Label, 397, 102, 63, 20, "Username:"},
    {"UsernameEditField", K::TextField, 465, 102, 177, 20, "", 11, kDisabled},
    {"UserStaticText", K::Label, 334, 101, 58, 21, "Enter New", 12, kHidden},
    {"UserPassStaticText", K::Label, 397, 143, 63, 20, "Password:"},
    {"UserPassEditField", K::TextField, 465, 141, 177, 20, "", 11, kMasked | kDisabled},
    {"NewStaticText", K::Label, 334, 142, 58, 21, "Enter New", 12, kHidden},
    {"UserConfirmStaticText", K::Label, 337, 186, 120, 20, "Confirm Password:", 12,
     kBold | kDisabled},
    {"UserConfirmEditField", K::TextField, 465, 184, 177, 20, "", 11, kMasked | kDisabled},
    {"UserPushButton", K::PushButton, 469, 269, 123, 20, "Change Password"},
    {"DonePushButton", K::PushButton, 332, 269, 69, 20, "Done", 12, kDisabled},
    {"GroupBox2", K::GroupBox, 601, 253, 53, 55},
    {"Canvas2", K::Picture, 604, 256, 47, 49, ":/pictures/portrait.png"},
};

const ControlSpec kWindow[] = {
    {"nameStaticText", K::Label, 15, 414, 103, 12, "", 10},
    {"LogoutCheckBox", K::CheckBox, 332, 410, 58, 20, "Logout", 10, kBold | kDisabled},
    {"StaticText5", K::Label, 627, 409, 58, 19, "Plenwick", 9},
};

} // namespace

std::span<const ControlSpec> loginPanelControls() {
    return kLogin;
}
std::span<const ControlSpec> recordsPageControls() {
    return kRecords;
}
std::span<const ControlSpec> encryptDocsPageControls() {
    return kEncryptDocs;
}
std::span<const ControlSpec> encryptNotesPageControls() {
    return kEncryptNotes;
}
std::span<const ControlSpec> usersPageControls() {
    return kUsers;
}
std::span<const ControlSpec> windowControls() {
    return kWindow;
}

} // namespace quorvel::app
