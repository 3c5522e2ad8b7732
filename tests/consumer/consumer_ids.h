#define IDD_CONSUMER    100
#define IDC_OK_BUTTON   1001
#define IDC_LAMP_CHECK  1002
#define IDC_STATUS_PANE 1003
#define IDC_TABS        1004
#define IDC_VOLUME      1005
#define IDC_KEYPAD      1006
