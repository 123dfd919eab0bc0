-- The tables, keys and indexes as the engine's previous version created them (sqlite).

CREATE TABLE Account_Qel_AA (
    Serial TEXT COLLATE RTRIM NOT NULL CONSTRAINT "Account_Qel_AA.Serial holds at most 100 characters" CHECK (length(Serial) <= 100),
    Serial_Qel TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Serial_Qel holds at most 20 characters" CHECK (length(Serial_Qel) <= 20),
    Serial_Bun TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Serial_Bun holds at most 3 characters" CHECK (length(Serial_Bun) <= 3),
    Serial_CrDr TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Serial_CrDr holds at most 3 characters" CHECK (length(Serial_CrDr) <= 3),
    Month_Char TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Month_Char holds at most 2 characters" CHECK (length(Month_Char) <= 2),
    Year_Char TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Year_Char holds at most 4 characters" CHECK (length(Year_Char) <= 4),
    Date_Day TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Date_Day holds at most 10 characters" CHECK (length(Date_Day) <= 10),
    Table_Kubun TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Table_Kubun holds at most 5 characters" CHECK (length(Table_Kubun) <= 5),
    Kubun_Bon TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Kubun_Bon holds at most 5 characters" CHECK (length(Kubun_Bon) <= 5),
    Kubun_Qel TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Kubun_Qel holds at most 2 characters" CHECK (length(Kubun_Qel) <= 2),
    Kubun_Amt TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Kubun_Amt holds at most 2 characters" CHECK (length(Kubun_Amt) <= 2),
    Form_Kubun TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Form_Kubun holds at most 5 characters" CHECK (length(Form_Kubun) <= 5),
    Giel_Serial TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Giel_Serial holds at most 30 characters" CHECK (length(Giel_Serial) <= 30),
    Ac_QelCode TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Ac_QelCode holds at most 12 characters" CHECK (length(Ac_QelCode) <= 12),
    Ac_QelName TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Ac_QelName holds at most 90 characters" CHECK (length(Ac_QelName) <= 90),
    Ac_Text TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Ac_Text holds at most 200 characters" CHECK (length(Ac_Text) <= 200),
    Item_Code TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Item_Code holds at most 20 characters" CHECK (length(Item_Code) <= 20),
    Item_Name TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Item_Name holds at most 200 characters" CHECK (length(Item_Name) <= 200),
    Kubun_Code TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Kubun_Code holds at most 20 characters" CHECK (length(Kubun_Code) <= 20),
    Kubun_Name TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Kubun_Name holds at most 200 characters" CHECK (length(Kubun_Name) <= 200),
    Project_Code TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Project_Code holds at most 20 characters" CHECK (length(Project_Code) <= 20),
    Project_Name TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Project_Name holds at most 200 characters" CHECK (length(Project_Name) <= 200),
    Buser_Code TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Buser_Code holds at most 20 characters" CHECK (length(Buser_Code) <= 20),
    Buser_Name TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Buser_Name holds at most 100 characters" CHECK (length(Buser_Name) <= 100),
    Sawon_Code TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Sawon_Code holds at most 20 characters" CHECK (length(Sawon_Code) <= 20),
    Sawon_Name TEXT COLLATE RTRIM CONSTRAINT "Account_Qel_AA.Sawon_Name holds at most 100 characters" CHECK (length(Sawon_Name) <= 100),
    Cr_Amt REAL,
    Dr_Amt REAL,
    End_Day DATETIME,
    CONSTRAINT Account_Qel_AA_Serial_key UNIQUE (Serial)
);

CREATE INDEX Account_Qel_AA_Date_Day_Kubun_Bon ON Account_Qel_AA (Date_Day, Kubun_Bon);

CREATE INDEX Account_Qel_AA_Serial_Qel_Serial_Bun ON Account_Qel_AA (Serial_Qel, Serial_Bun);

CREATE INDEX Account_Qel_AA_Date_Day_Serial_Qel ON Account_Qel_AA (Date_Day, Serial_Qel);

CREATE TABLE Kubun_Table (
    Kubun_Code TEXT COLLATE RTRIM NOT NULL CONSTRAINT "Kubun_Table.Kubun_Code holds at most 5 characters" CHECK (length(Kubun_Code) <= 5),
    Kubun_Name TEXT COLLATE RTRIM CONSTRAINT "Kubun_Table.Kubun_Name holds at most 50 characters" CHECK (length(Kubun_Name) <= 50),
    Kubun_JangSo TEXT COLLATE RTRIM CONSTRAINT "Kubun_Table.Kubun_JangSo holds at most 50 characters" CHECK (length(Kubun_JangSo) <= 50),
    CONSTRAINT Kubun_Table_pkey PRIMARY KEY (Kubun_Code)
);

CREATE TABLE Qel_Print (
    Tot TEXT COLLATE RTRIM NOT NULL CONSTRAINT "Qel_Print.Tot holds at most 2 characters" CHECK (length(Tot) <= 2),
    CONSTRAINT Qel_Print_pkey PRIMARY KEY (Tot)
);

CREATE TABLE test_ac_code (
    ac_code TEXT COLLATE RTRIM NOT NULL CONSTRAINT "test_ac_code.ac_code holds at most 12 characters" CHECK (length(ac_code) <= 12),
    ac_name TEXT COLLATE RTRIM CONSTRAINT "test_ac_code.ac_name holds at most 90 characters" CHECK (length(ac_name) <= 90),
    a_kubun TEXT COLLATE RTRIM CONSTRAINT "test_ac_code.a_kubun holds at most 1 characters" CHECK (length(a_kubun) <= 1),
    b_kubun TEXT COLLATE RTRIM CONSTRAINT "test_ac_code.b_kubun holds at most 2 characters" CHECK (length(b_kubun) <= 2),
    c_kubun TEXT COLLATE RTRIM CONSTRAINT "test_ac_code.c_kubun holds at most 2 characters" CHECK (length(c_kubun) <= 2),
    code_kubun TEXT COLLATE RTRIM CONSTRAINT "test_ac_code.code_kubun holds at most 5 characters" CHECK (length(code_kubun) <= 5),
    jan_check TEXT COLLATE RTRIM CONSTRAINT "test_ac_code.jan_check holds at most 2 characters" CHECK (length(jan_check) <= 2),
    bigo TEXT COLLATE RTRIM CONSTRAINT "test_ac_code.bigo holds at most 116 characters" CHECK (length(bigo) <= 116),
    CONSTRAINT test_ac_code_pkey PRIMARY KEY (ac_code)
);

CREATE INDEX test_ac_code_a_kubun_b_kubun_c_kubun ON test_ac_code ((a_kubun || b_kubun || c_kubun));

CREATE TABLE Sale_Table (
    Sale_Code TEXT COLLATE RTRIM NOT NULL CONSTRAINT "Sale_Table.Sale_Code holds at most 15 characters" CHECK (length(Sale_Code) <= 15),
    Sale_Name TEXT COLLATE RTRIM CONSTRAINT "Sale_Table.Sale_Name holds at most 50 characters" CHECK (length(Sale_Name) <= 50),
    Sale_Serial01 TEXT COLLATE RTRIM CONSTRAINT "Sale_Table.Sale_Serial01 holds at most 16 characters" CHECK (length(Sale_Serial01) <= 16),
    Sale_Serial02 TEXT COLLATE RTRIM CONSTRAINT "Sale_Table.Sale_Serial02 holds at most 16 characters" CHECK (length(Sale_Serial02) <= 16),
    Sale_Serial03 TEXT COLLATE RTRIM CONSTRAINT "Sale_Table.Sale_Serial03 holds at most 16 characters" CHECK (length(Sale_Serial03) <= 16),
    CONSTRAINT Sale_Table_pkey PRIMARY KEY (Sale_Code)
);

CREATE TABLE Bank_Table (
    Bank_Code TEXT COLLATE RTRIM NOT NULL CONSTRAINT "Bank_Table.Bank_Code holds at most 15 characters" CHECK (length(Bank_Code) <= 15),
    Bank_Name TEXT COLLATE RTRIM CONSTRAINT "Bank_Table.Bank_Name holds at most 50 characters" CHECK (length(Bank_Name) <= 50),
    Bank_Serial TEXT COLLATE RTRIM CONSTRAINT "Bank_Table.Bank_Serial holds at most 50 characters" CHECK (length(Bank_Serial) <= 50),
    CONSTRAINT Bank_Table_pkey PRIMARY KEY (Bank_Code)
);

CREATE TABLE Sawon_Table (
    Sawon_Code TEXT COLLATE RTRIM NOT NULL CONSTRAINT "Sawon_Table.Sawon_Code holds at most 15 characters" CHECK (length(Sawon_Code) <= 15),
    Sawon_Name TEXT COLLATE RTRIM CONSTRAINT "Sawon_Table.Sawon_Name holds at most 30 characters" CHECK (length(Sawon_Name) <= 30),
    Sawon_Kubun TEXT COLLATE RTRIM CONSTRAINT "Sawon_Table.Sawon_Kubun holds at most 10 characters" CHECK (length(Sawon_Kubun) <= 10),
    Sawon_Jumin01 TEXT COLLATE RTRIM CONSTRAINT "Sawon_Table.Sawon_Jumin01 holds at most 6 characters" CHECK (length(Sawon_Jumin01) <= 6),
    Sawon_Jumin02 TEXT COLLATE RTRIM CONSTRAINT "Sawon_Table.Sawon_Jumin02 holds at most 7 characters" CHECK (length(Sawon_Jumin02) <= 7),
    Sawon_Text TEXT COLLATE RTRIM CONSTRAINT "Sawon_Table.Sawon_Text holds at most 100 characters" CHECK (length(Sawon_Text) <= 100),
    CONSTRAINT Sawon_Table_pkey PRIMARY KEY (Sawon_Code)
);

CREATE TABLE Buser_Table (
    Buser_Code TEXT COLLATE RTRIM NOT NULL CONSTRAINT "Buser_Table.Buser_Code holds at most 15 characters" CHECK (length(Buser_Code) <= 15),
    Buser_Name TEXT COLLATE RTRIM CONSTRAINT "Buser_Table.Buser_Name holds at most 50 characters" CHECK (length(Buser_Name) <= 50),
    Buser_Text TEXT COLLATE RTRIM CONSTRAINT "Buser_Table.Buser_Text holds at most 100 characters" CHECK (length(Buser_Text) <= 100),
    CONSTRAINT Buser_Table_pkey PRIMARY KEY (Buser_Code)
);

CREATE TABLE Project_Table (
    Project_Code TEXT COLLATE RTRIM NOT NULL CONSTRAINT "Project_Table.Project_Code holds at most 15 characters" CHECK (length(Project_Code) <= 15),
    Project_Name TEXT COLLATE RTRIM CONSTRAINT "Project_Table.Project_Name holds at most 50 characters" CHECK (length(Project_Name) <= 50),
    Project_Text TEXT COLLATE RTRIM CONSTRAINT "Project_Table.Project_Text holds at most 100 characters" CHECK (length(Project_Text) <= 100),
    CONSTRAINT Project_Table_pkey PRIMARY KEY (Project_Code)
);

CREATE TABLE Item_Table (
    Item_Code TEXT COLLATE RTRIM NOT NULL CONSTRAINT "Item_Table.Item_Code holds at most 15 characters" CHECK (length(Item_Code) <= 15),
    Item_Name TEXT COLLATE RTRIM CONSTRAINT "Item_Table.Item_Name holds at most 50 characters" CHECK (length(Item_Name) <= 50),
    Item_Text TEXT COLLATE RTRIM CONSTRAINT "Item_Table.Item_Text holds at most 100 characters" CHECK (length(Item_Text) <= 100),
    CONSTRAINT Item_Table_pkey PRIMARY KEY (Item_Code)
);

