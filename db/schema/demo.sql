-- Demo master data of a new embedded database: offices, accounts, customers, banks,
-- employees, departments, projects, management items and the blank rows of a printed voucher.

-- Offices; the programs store an office as its position in this order ("00000", "00001", ...).
INSERT INTO Kubun_Table (Kubun_Code, Kubun_Name, Kubun_JangSo) VALUES ('00000', '본사', '서울 중구');
INSERT INTO Kubun_Table (Kubun_Code, Kubun_Name, Kubun_JangSo) VALUES ('00001', '부산지점', '부산 해운대구');
INSERT INTO Kubun_Table (Kubun_Code, Kubun_Name, Kubun_JangSo) VALUES ('00002', '대구지점', '대구 수성구');

-- Blank rows that fill a printed voucher to ten rows.
INSERT INTO Qel_Print (Tot) VALUES ('01');
INSERT INTO Qel_Print (Tot) VALUES ('02');
INSERT INTO Qel_Print (Tot) VALUES ('03');
INSERT INTO Qel_Print (Tot) VALUES ('04');
INSERT INTO Qel_Print (Tot) VALUES ('05');
INSERT INTO Qel_Print (Tot) VALUES ('06');
INSERT INTO Qel_Print (Tot) VALUES ('07');
INSERT INTO Qel_Print (Tot) VALUES ('08');
INSERT INTO Qel_Print (Tot) VALUES ('09');
INSERT INTO Qel_Print (Tot) VALUES ('10');

-- Accounts: category = a_kubun + b_kubun + c_kubun; only code_kubun 'SSSSS' is offered.
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('10101001000', '현금', '1', '01', '01', 'SSSSS', '11', '당좌자산');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('10101003000', '보통예금', '1', '01', '01', 'SSSSS', '11', '당좌자산');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('10101008000', '외상매출금', '1', '01', '01', 'SSSSS', '11', '당좌자산');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('10101009000', '받을어음', '1', '01', '01', 'SSSSS', '11', '당좌자산');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('10101090000', '회사설정계정 당좌', '1', '01', '01', 'SSSSS', '11', '당좌자산');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('10101095000', '가지급금(폐지)', '1', '01', '01', 'NNNNN', '11', '당좌자산');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('10102001000', '상품', '1', '01', '02', 'SSSSS', '11', '재고자산');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('10102005000', '제품', '1', '01', '02', 'SSSSS', '11', '재고자산');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('10102008000', '원재료', '1', '01', '02', 'SSSSS', '11', '재고자산');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('10102010000', '부재료', '1', '01', '02', 'SSSSS', '11', '재고자산');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('10102017000', '저장품', '1', '01', '02', 'SSSSS', '11', '재고자산');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('10102024000', '재공품', '1', '01', '02', 'SSSSS', '11', '재고자산');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('10201001000', '장기성예금', '1', '02', '01', 'SSSSS', '11', '투자자산');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('10202001000', '토지', '1', '02', '02', 'SSSSS', '11', '유형자산');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('10202002000', '건물', '1', '02', '02', 'SSSSS', '11', '유형자산');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('10202006000', '차량운반구', '1', '02', '02', 'SSSSS', '11', '유형자산');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('10203001000', '영업권', '1', '02', '03', 'SSSSS', '11', '무형자산');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('10204001000', '창업비', '1', '02', '04', 'SSSSS', '11', '이연자산');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('20101001000', '외상매입금', '2', '01', '01', 'SSSSS', '21', '유동부채');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('20101002000', '지급어음', '2', '01', '01', 'SSSSS', '21', '유동부채');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('20101005000', '미지급금', '2', '01', '01', 'SSSSS', '21', '유동부채');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('20101009000', '예수금', '2', '01', '01', 'SSSSS', '21', '유동부채');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('20201001000', '장기차입금', '2', '02', '01', 'SSSSS', '21', '고정부채');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('20301001000', '이연법인세대', '2', '03', '01', 'SSSSS', '21', '이연부채');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('30101001000', '보통주자본금', '3', '01', '01', 'SSSSS', '31', '자본금');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('30201001000', '주식발행초과금', '3', '02', '01', 'SSSSS', '31', '자본잉여금');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('30301001000', '이익준비금', '3', '03', '01', 'SSSSS', '31', '이익잉여금');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('30401001000', '자기주식', '3', '04', '01', 'SSSSS', '31', '자본조정');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40101001000', '손익', '4', '01', '01', 'SSSSS', '41', '손익');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40201001000', '상품매출', '4', '02', '01', 'SSSSS', '57', '매출액');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40201002000', '제품매출', '4', '02', '01', 'SSSSS', '57', '매출액');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40201005000', '매출환입및에누리', '4', '02', '01', 'SSSSS', '58', '매출액');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40201009000', '매출할인', '4', '02', '01', 'SSSSS', NULL, '매출액');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40301001000', '상품매출원가', '4', '03', '01', 'SSSSS', '41', '매출원가');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40302001000', '제조원가대체', '4', '03', '02', 'SSSSS', '41', '제조');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40303001000', '용역원가대체', '4', '03', '03', 'SSSSS', '41', '용역');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40304001000', '제품매출원가', '4', '03', '04', 'SSSSS', '41', '제품매출원가');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40305001000', '용역매출원가', '4', '03', '05', 'SSSSS', '41', '용역매출원가');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40401001000', '원재료비', '4', '04', '01', 'SSSSS', '41', '제조원가');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40402001000', '부재료비', '4', '04', '02', 'SSSSS', '41', '부재료비');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40403001000', '임금', '4', '04', '03', 'SSSSS', '41', '노무비');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40404001000', '전력비', '4', '04', '04', 'SSSSS', '41', '제조경비');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40501001000', '외주용역비', '4', '05', '01', 'SSSSS', '41', '용역원가');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40502001000', '용역노무비', '4', '05', '02', 'SSSSS', '41', '노무비');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40503001000', '용역경비', '4', '05', '03', 'SSSSS', '41', '제조경비');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40701001000', '급여', '4', '07', '01', 'SSSSS', '41', '일반관리비');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40701002000', '복리후생비', '4', '07', '01', 'SSSSS', '41', '일반관리비');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40701003000', '여비교통비', '4', '07', '01', 'SSSSS', '41', '일반관리비');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40701004000', '접대비', '4', '07', '01', 'SSSSS', '41', '일반관리비');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40701010000', '소모품비', '4', '07', '01', 'SSSSS', '41', '일반관리비');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40901001000', '이자수익', '4', '09', '01', 'SSSSS', '41', '영업외수익');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('40901005000', '잡이익', '4', '09', '01', 'SSSSS', '41', '영업외수익');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('41001001000', '이자비용', '4', '10', '01', 'SSSSS', '41', '영업외비용');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('41201001000', '자산수증이익', '4', '12', '01', 'SSSSS', '41', '특별이익');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('41301001000', '재해손실', '4', '13', '01', 'SSSSS', '41', '특별손실');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('41501001000', '법인세비용', '4', '15', '01', 'SSSSS', '41', '법인세등');
INSERT INTO test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo) VALUES ('50101001000', '미결산대체', '5', '01', '01', 'SSSSS', '51', '기타');

-- Customers and banks; customer '00001' and the first bank share a code.
INSERT INTO Sale_Table (Sale_Code, Sale_Name, Sale_Serial01, Sale_Serial02, Sale_Serial03) VALUES ('00001', '(주)한빛상사', '104', '81', '23456');
INSERT INTO Sale_Table (Sale_Code, Sale_Name, Sale_Serial01, Sale_Serial02, Sale_Serial03) VALUES ('00002', '대한물산(주)', '211', '86', '10987');
INSERT INTO Sale_Table (Sale_Code, Sale_Name, Sale_Serial01, Sale_Serial02, Sale_Serial03) VALUES ('00003', '세종기계공업', '312', '81', '55501');
INSERT INTO Sale_Table (Sale_Code, Sale_Name, Sale_Serial01, Sale_Serial02, Sale_Serial03) VALUES ('00005', '우리유통', '605', '27', '30042');
INSERT INTO Bank_Table (Bank_Code, Bank_Name, Bank_Serial) VALUES ('00001', '국민은행 명동지점', '123-45-678901');
INSERT INTO Bank_Table (Bank_Code, Bank_Name, Bank_Serial) VALUES ('00004', '신한은행 역삼지점', '110-234-567890');
INSERT INTO Bank_Table (Bank_Code, Bank_Name, Bank_Serial) VALUES ('00006', '우리은행 해운대지점', '1002-345-678901');

-- Employees, departments, projects and management items.
INSERT INTO Sawon_Table (Sawon_Code, Sawon_Name, Sawon_Kubun, Sawon_Jumin01, Sawon_Jumin02, Sawon_Text) VALUES ('S0001', '김철수', '남', '750101', '1234567', '경리부 과장');
INSERT INTO Sawon_Table (Sawon_Code, Sawon_Name, Sawon_Kubun, Sawon_Jumin01, Sawon_Jumin02, Sawon_Text) VALUES ('S0002', '이영희', '여', '820315', '2345678', '영업부 대리');
INSERT INTO Sawon_Table (Sawon_Code, Sawon_Name, Sawon_Kubun, Sawon_Jumin01, Sawon_Jumin02, Sawon_Text) VALUES ('S0003', '박민수', '남', '900720', '1456789', '생산부 사원');
INSERT INTO Buser_Table (Buser_Code, Buser_Name, Buser_Text) VALUES ('B0001', '경리부', '회계와 자금');
INSERT INTO Buser_Table (Buser_Code, Buser_Name, Buser_Text) VALUES ('B0002', '영업부', '국내 영업');
INSERT INTO Buser_Table (Buser_Code, Buser_Name, Buser_Text) VALUES ('B0003', '생산부', '공장 생산 관리');
INSERT INTO Project_Table (Project_Code, Project_Name, Project_Text) VALUES ('P0001', '신제품 개발', '2001년 신제품 개발');
INSERT INTO Project_Table (Project_Code, Project_Name, Project_Text) VALUES ('P0002', '제2공장 증설', '공장 증설 공사');
INSERT INTO Item_Table (Item_Code, Item_Name, Item_Text) VALUES ('I0001', '원자재 구매', '원자재 관련 지출');
INSERT INTO Item_Table (Item_Code, Item_Name, Item_Text) VALUES ('I0002', '사무용품', '소모품 관리');
INSERT INTO Item_Table (Item_Code, Item_Name, Item_Text) VALUES ('I0003', '차량 유지', '차량 유지비');
